#!/usr/bin/env bash
# Creates the Wine prefix Veilor runs in, once (a marker file records that it is complete):
#  - 64-bit, so it runs 64-bit programs and, where the machine allows, 32-bit ones;
#  - no Mono or Gecko, so no installer dialog can ever appear and hang a run;
#  - Wine's own virtual desktop: on a bare X server without a window manager Wine waits
#    about 2 s for every window that is hidden or shown, in its desktop about 1 ms;
#  - Windows' UI faces mapped to WenQuanYi Micro Hei, so Chinese never shows as boxes;
#  - no crash dialog: a crashing program ends instead of waiting for a click.
#
# With --own-user-folders (the test prefixes), the user's folders (Documents, Desktop,
# Templates, ...) are real folders inside the prefix. Wine links each of them to $HOME or
# the XDG user folder, so tests would otherwise read and write the settings and files of
# whoever runs them. wineboot re-links only what is a link or missing, never a real
# folder; the caller runs Wine with HOME inside the prefix, so even a re-link stays there.
#
# Usage: prepare-wineprefix.sh PREFIX [--require-display] [--own-user-folders]
set -euo pipefail

usage="usage: prepare-wineprefix.sh PREFIX [--require-display] [--own-user-folders]"
# Absolute but not resolved, as HOME is compared with it.
prefix=$(realpath -ms -- "${1:?$usage}")
shift
require_display= own_user_folders=
for option in "$@"; do
    case $option in
    --require-display) require_display=1 ;;
    --own-user-folders) own_user_folders=1 ;;
    *)
        echo "$usage" >&2
        exit 2
        ;;
    esac
done
# Bump when the settings below change, so existing prefixes are brought up to date.
version=4
marker=$prefix/.veilor-prefix-ready
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

if [ -n "$require_display" ] && [ -z "${DISPLAY:-}" ]; then
    echo "error: DISPLAY is not set. The Wine tests need an X server: run scripts/check," \
        "or start Xvfb yourself and export DISPLAY before ctest." >&2
    exit 1
fi

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=d"
if [ -x /usr/lib/wine/wine64 ]; then
    wine64=(/usr/lib/wine/wine64)
    export WINELOADER=/usr/lib/wine/wine64
else
    wine64=(wine)
fi

# Whatever under the prefix's user profiles is a link: Wine's links to the user's folders.
user_folder_links() {
    find "$prefix/drive_c/users" -type l 2>/dev/null
}

ready() {
    [ "$(cat "$marker" 2>/dev/null)" = "$version" ] &&
        { [ -z "$own_user_folders" ] || [ -z "$(user_folder_links)" ]; }
}

# Wine takes the targets of its links from HOME and the XDG folders; anything of them
# outside the prefix would be where a re-link points.
check_private_home() {
    local name value
    for name in HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME; do
        value=${!name:-}
        [ -z "$value" ] && [ "$name" != HOME ] && continue
        case $value/ in
        "$prefix"/*) ;;
        *)
            echo "error: --own-user-folders needs $name inside $prefix (it is '$value')," \
                "so Wine never links the prefix to the folders of whoever runs it" >&2
            exit 1
            ;;
        esac
    done
}

# Each link becomes an empty folder of the prefix's own: only the link goes, never what
# it points to, and nothing of the user's is copied in.
replace_user_folder_links() {
    local link left
    while IFS= read -r link; do
        rm -f -- "$link"
        mkdir -- "$link"
    done < <(user_folder_links)
    left=$(user_folder_links)
    [ -z "$left" ] || {
        echo "error: links left under $prefix/drive_c/users: $left" >&2
        exit 1
    }
}

[ -n "$own_user_folders" ] && check_private_home
ready && exit 0

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
ready && exit 0
[ -n "$own_user_folders" ] && mkdir -p "$HOME"

started=$SECONDS
if [ ! -f "$prefix/system.reg" ]; then
    echo "creating Wine prefix $prefix"
    timeout 600 "${wine64[@]}" wineboot -i >"$prefix.log" 2>&1 || {
        cat "$prefix.log" >&2
        echo "error: wineboot failed" >&2
        exit 1
    }
fi
# wineboot returns before the prefix's services have written everything down.
timeout 300 wineserver -w

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft YaHei UI" "SimSun" "宋体"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
} | iconv -f UTF-8 -t UTF-16LE | {
    printf '\xff\xfe'
    cat
} >"$reg"
timeout 300 "${wine64[@]}" regedit /S "Z:${reg//\//\\}"
timeout 300 wineserver -w

# Wine finds fonts through fontconfig too, but a copy in the prefix's Fonts folder is
# found however Wine was built.
fonts_dir=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts_dir"
if [ -f "$font" ]; then
    ln -sf "$font" "$fonts_dir/wqy-microhei.ttc"
else
    echo "warning: $font is missing (package fonts-wqy-microhei); Chinese will show as boxes" >&2
fi

[ -n "$own_user_folders" ] && replace_user_folder_links

grep -q '"Default"="1024x768"' "$prefix/user.reg" || {
    echo "error: the virtual desktop setting did not reach $prefix/user.reg" >&2
    exit 1
}
echo "$version" >"$marker"
echo "Wine prefix ready: $prefix ($((SECONDS - started)) s)"
