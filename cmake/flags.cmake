# What every build of the program compiles with and links against, Winelib
# and Windows alike.
set(LUMENO_FLAGS -Wall -Wextra -fexec-charset=CP1250 -DWIN32_LEAN_AND_MEAN -DNOMINMAX)
set(LUMENO_LIBS gdi32 user32 comctl32 comdlg32 shell32 mpr winspool advapi32 ole32)
