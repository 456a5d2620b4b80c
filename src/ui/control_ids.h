#pragma once
// Stable identifiers of every control, shared by the views (as the child-window IDs)
// and by the end-to-end tests, which find the real controls with GetDlgItem. Every
// control is a direct child of its form's window, so one lookup on the form finds it.
// Numbers never change once given out; new controls take new numbers.

namespace ui::ids {

// Main window (frmain): navigation and action buttons.
constexpr int kCommand1 = 1001;   // window manager page
constexpr int kCommand2 = 1002;   // tray page
constexpr int kCommand3 = 1003;   // process page
constexpr int kCommand4 = 1004;   // news page
constexpr int kCommand5 = 1005;   // settings page
constexpr int kCommand6 = 1006;   // black screen
constexpr int kCommand7 = 1007;   // one-key hide
constexpr int kCommand8 = 1008;   // hide self
constexpr int kCommand9 = 1009;   // schedule page
constexpr int kCommand10 = 1010;  // desktop icons
constexpr int kCmdStart = 1011;   // check for updates
constexpr int kFrmTray = 1012;
constexpr int kFrmResize = 1013;
constexpr int kFrmUnload = 1014;
constexpr int kCmdStop = 1015;  // cancel the update, in the place of kCmdStart

// Main window: pages and their shared parts.
constexpr int kFrame1 = 1101;
constexpr int kFrame2 = 1102;
constexpr int kFrame3 = 1103;
constexpr int kFrame4 = 1104;
constexpr int kFrame5 = 1105;
constexpr int kFrame6 = 1106;
constexpr int kFrame7 = 1107;
constexpr int kFrame8 = 1108;
constexpr int kFrame9 = 1109;
constexpr int kVLabel = 1120;
constexpr int kLblCount = 1121;
constexpr int kWebBrowser1 = 1122;
constexpr int kTabStrip1 = 1123;
constexpr int kCmdSetOK = 1124;
constexpr int kCmdSetCancel = 1125;
constexpr int kLabel27 = 1126;

// Settings page: options, hotkeys, password.
constexpr int kCheckStarRun = 1201;
constexpr int kCheckStartMini = 1202;
constexpr int kCheckEndMini = 1203;
constexpr int kEndMsgbox = 1204;
constexpr int kCommand13 = 1205;
constexpr int kTxtHotKey0 = 1210;      // 1210..1216, one per hotkey box
constexpr int kLabHotKey0 = 1220;      // 1220..1226, the marks beside the boxes
constexpr int kHotKeyCaption0 = 1230;  // 1230..1236, the captions beside the boxes
constexpr int kTxtBlackPwd0 = 1240;    // 1240..1241

// Settings page, hiding-rules tab: its frame and controls.
constexpr int kFrameRules = 1110;
constexpr int kLvRules = 1250;
constexpr int kTxtRule = 1251;
constexpr int kCmdKeepRule = 1252;
constexpr int kCmdOnlyRule = 1253;
constexpr int kCmdRemoveRule = 1254;
constexpr int kLstPrograms = 1255;

// Window page (Frame1): 1300-1399.
constexpr int kList1 = 1301;
constexpr int kTxtWindowTitle = 1302;
constexpr int kChkVisible = 1303;
constexpr int kCmdRefresh1 = 1304;
constexpr int kCmdHide1 = 1305;
constexpr int kCmdShow1 = 1306;
constexpr int kCmdRename = 1307;
constexpr int kCmdhidewin = 1308;  // taskbar toggle

// Tray page (Frame2): 1400-1499.
constexpr int kList2 = 1401;
constexpr int kTxtTrayTitle = 1402;
constexpr int kCmdRefresh2 = 1403;
constexpr int kCmdHide2 = 1404;
constexpr int kCmdShow2 = 1405;
constexpr int kCmdHideAll = 1406;
constexpr int kCmdShowAll = 1407;

// Process page (Frame8): 1600-1699.
constexpr int kListView1 = 1601;
constexpr int kCommand11 = 1602;  // refresh
constexpr int kCommand12 = 1603;  // end process
constexpr int kLabel10 = 1604;    // result of the last ending

// News page, own notification icon, About box and options: 1500-1599, About box 2100-2199.

// About box (frmAbout); the form itself is 2100.
constexpr int kFrmAbout = 2100;
constexpr int kAboutLblTitle = 2101;
constexpr int kAboutLblVersion = 2102;
constexpr int kAboutFrame1 = 2103;
constexpr int kAboutLblDisclaimer = 2104;
constexpr int kAboutLabel1 = 2105;
constexpr int kAboutCmdOK = 2106;
constexpr int kAboutCmdSysInfo = 2107;

// Missing-component prompt (DownLDFIX).
constexpr int kDownLabel1 = 2001;
constexpr int kDownLabel2 = 2002;
constexpr int kDownLabel3 = 2003;
constexpr int kDownLabel4 = 2004;
constexpr int kDownOKButton = 2005;
constexpr int kDownCancelButton = 2006;

// Restore widgets (reOneKey, reWin): the forms and the caption each of them shows.
constexpr int kReOneKey = 2200;
constexpr int kReWin = 2201;
constexpr int kReCaption = 2202;

// Black screen (frmBlack) and its unlock prompt (frmPwd): the forms and the prompt's controls.
constexpr int kFrmBlack = 2300;
constexpr int kFrmPwd = 2301;
constexpr int kPwdLabel1 = 2302;
constexpr int kPwdText1 = 2303;
constexpr int kPwdCommand1 = 2304;
constexpr int kPwdCommand3 = 2305;

// Schedule page: the clock, the launch's program path, and the two groups, each taking
// the seventeen identifiers from its first on.
constexpr int kLabel13 = 2400;
constexpr int kText7 = 2401;
constexpr int kCommand29 = 2402;
constexpr int kFrame10 = 2420;
constexpr int kFrame11 = 2440;

// Timers have identifiers too: the real view uses them as timer IDs.
constexpr int kTimer6 = 3001;
constexpr int kTmrEnabled1 = 3002;
constexpr int kTmrEnabled2 = 3003;
constexpr int kReTimer1 = 3004;        // a restore widget's docking timer
constexpr int kReTimer2 = 3005;        // a restore widget's first docking after it is shown
constexpr int kSettingsTimer1 = 3006;  // drives the hotkeys
constexpr int kTimer3 = 3007;          // the schedule page's clock
constexpr int kTimer4 = 3008;          // the launch check
constexpr int kTimer5 = 3009;          // the shutdown check
constexpr int kTmrWindowSet = 3010;    // the window list's look at a system that tells little
constexpr int kTmrOnTop = 3011;        // the black screen taking back its place on top

}  // namespace ui::ids
