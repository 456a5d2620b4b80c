# The -posix variants carry std::thread and std::condition_variable, which GoogleTest and
# the test drivers need; the win32-thread variants do not.
set(CMAKE_C_COMPILER ${VEILOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEILOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEILOR_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEILOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# CTest runs the Windows test programs through Wine directly.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
