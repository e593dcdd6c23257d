# Sourced: starts the built program inside Wine's virtual desktop (1024 x 768,
# with a taskbar) in the current folder, on the current DISPLAY, and waits for
# its main window. Sets lumeno_pid. Needs $build and $root.
# LUMENO_PROGRAM chooses the program: winelib (the default) or windows.

# The file Wine starts for the chosen program.
lumeno_program() {
  case ${LUMENO_PROGRAM:-winelib} in
  winelib) echo "$build/lumeno.exe.so" ;;
  windows) echo "$build/windows/lumeno.exe" ;;
  *) echo "LUMENO_PROGRAM is winelib or windows, not '$LUMENO_PROGRAM'" >&2; return 1 ;;
  esac
}

# Where a window of the desktop is: "visible left top right bottom clientX clientY".
# Only once the desktop exists (a wininfo that created it would wait for it).
wininfo() {
  local out
  out=$(wine explorer /desktop=shell,1024x768 "$build/wininfo.exe.so" "$@" 2>/dev/null | tr -d '\r')
  [ -n "$out" ] && echo "$out"
}
launch_lumeno() {
  local program
  program=$(lumeno_program) || return 1
  wine explorer /desktop=shell,1024x768 "$program" >/dev/null 2>&1 &
  lumeno_pid=$!
  local i
  for i in $(seq 150); do
    # Wine's desktop shows its windows as X children, so X can be asked.
    if xdotool search --onlyvisible --name '^Korvel Lumeno$' >/dev/null 2>&1; then
      # The program's own side knows it shown too.
      for i in $(seq 25); do [ "$(wininfo "Korvel Lumeno" | cut -d' ' -f1)" = 1 ] && return 0; done
      break
    fi
    sleep 0.2
  done
  echo "the main window did not appear" >&2
  return 1
}
