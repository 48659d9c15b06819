# Helpers of the scan batch checks: Tarnwick.exe or Tarnwick2.exe started on the simulated
# scanner with a settings file of the case's own, driven through its windows with windriver.
#   needs: wine_exec tarnwick windriver work (set by the caller)
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
drive() { "$wine_exec" "$windriver" "$@" 2>/dev/null | tr -d '\r'; }
# The edition of the program driven: its settings file and its texts.
case $(basename "$tarnwick") in
  Tarnwick2.exe)
    edition=2
    prepare_title='Preparar para Escanear'  # string 201
    ;;
  *)
    edition=1
    prepare_title=$(printf '\xe5\x87\x86\xe5\xa4\x87\xe6\x89\xab\xe7\x9e\x84')
    ;;
esac

documents_folder() {
  local d
  for d in "$WINEPREFIX"/drive_c/users/*/Documents; do
    case $d in */Public/*) ;; *) echo "$d"; return ;; esac
  done
}

# The settings file the program reads: in the documents folder for the first edition, beside the
# program for the second.
settings_file() {
  if [ "$edition" = 2 ]; then
    echo "$(dirname "$tarnwick")/Tarnwick2.INI"
  else
    echo "$(documents_folder)/TarnwickForm.ini"
  fi
}

# start_tarnwick CASE-DIR SETTINGS-LINES SIM-LINES: writes both files, clears the scan library's
# registry values and starts the program in the background (pid in tarnwick_pid). The batch
# root is CASE-DIR/scans, or CASE-DIR/$scan_root when set; the settings file is UTF-16, as the
# program writes it, so that any folder name reaches it whole.
start_tarnwick() {
  local dir=$1 settings=$2 sim=$3 ini
  ini=$(settings_file)
  mkdir -p "$(dirname "$ini")" "$dir/${scan_root:-scans}"
  printf '[Settings]\r\nPath=%s\r\n%b[Name]\r\nUserName=%s\r\n' "$(winpath "$dir/${scan_root:-scans}")" \
    "$settings" "$(whoami)" | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$ini"
  printf '%b' "$sim" >"$dir/zebsim.ini"
  "$wine_exec" reg delete 'HKCU\Software\Quandrix' /f >/dev/null 2>&1
  if [ -n "${debug_level:-}" ]; then
    "$wine_exec" reg add 'HKCU\Software\Quandrix' /v DEBUGLEVEL /t REG_DWORD /d "$debug_level" /f >/dev/null 2>&1
    "$wine_exec" reg add 'HKCU\Software\Quandrix' /v SAVEPATH /t REG_SZ /d "$(winpath "$dir")\\" /f >/dev/null 2>&1
  fi
  ZEBSIM_CONFIG=$(winpath "$dir/zebsim.ini") "$wine_exec" "$tarnwick" >"$dir/tarnwick.out" 2>&1 &
  tarnwick_pid=$!
  drive find TTarnwickForm Folvex 30000 >/dev/null
}

# Waits for the "Prepare Scanner" dialog and answers the page label's text.
wait_prepare() { drive find '#32770' "$prepare_title" "${1:-120000}" >/dev/null && drive text '#32770' "$prepare_title" 2001; }
stop_batch() { drive click '#32770' "$prepare_title" 2 >/dev/null; }
continue_batch() { drive click '#32770' "$prepare_title" 1 >/dev/null; }

# Closes the main window; the program's exit code in tarnwick_exit (99: it did not end).
close_tarnwick() {
  drive close TTarnwickForm Folvex >/dev/null
  local i
  for i in $(seq 1 600); do kill -0 "$tarnwick_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$tarnwick_pid" 2>/dev/null; then kill "$tarnwick_pid"; tarnwick_exit=99; return; fi
  wait "$tarnwick_pid"; tarnwick_exit=$?
}

# The message box of the program: presses OK and answers its text.
answer_box() { drive answer Folvex 1 "${1:-20000}"; }
