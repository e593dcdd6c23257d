# What every build compiles with: warnings are errors, the native codec
# build included.
set(LUMENO_WARNINGS -Wall -Wextra -Wshadow -Wconversion -Werror)
# And what every build of the program compiles with and links against,
# Winelib and Windows alike.
set(LUMENO_FLAGS ${LUMENO_WARNINGS} -fexec-charset=CP1250 -DWIN32_LEAN_AND_MEAN -DNOMINMAX)
set(LUMENO_LIBS gdi32 user32 comctl32 comdlg32 shell32 mpr winspool advapi32 ole32)
