#!/bin/sh
# Runs the built main program as people and CI do, one case per call, each in a fresh temporary folder.
# Usage: program_test.sh MIRLET CASE SCREENSHOT_FOLDER
set -u
mirlet="$1"
case_name="$2"
shots="$3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="sqlite:$work/data/mirlet.db"
# Settings files of the test user stay in the temporary folder.
export XDG_CONFIG_HOME="$work/config"
unset MIRLET_DB

fail() {
  echo "FAILED: $*"
  echo "--- stdout"; cat "$work/out" 2>/dev/null
  echo "--- stderr"; cat "$work/err" 2>/dev/null
  exit 1
}

run() {
  "$mirlet" "$@" >"$work/out" 2>"$work/err"
  echo $?
}

case "$case_name" in
headless_script)
  cat >"$work/script" <<'SCRIPT'
# The currencies paged from the new database, the notice of "O programie", then Yes to ending the work.
browse pick SYM_WALUTY=EUR
browse close
answer OK "MIRLET: Informacja" "Wersja"
answer Tak "MIRLET: Pytanie" "Czy zakończyć pracę z programem Mirlet?"
SCRIPT
  code=$(run --db "$db" --script "$work/script" --run "Słowniki > Waluty" --run "Pomoc > O programie" \
    --run "System > Koniec pracy")
  [ "$code" = 0 ] || fail "exit code $code"
  grep -q "^Utworzono bazę demonstracyjną: $work/data/mirlet.db$" "$work/out" || fail "no line about the new database"
  grep -q "^Zalogowano. Użytkownik: Administrator (ADMIN, 3000001)" "$work/out" || fail "no log-in line"
  [ "$(tail -n 1 "$work/out")" = "Sesja zakończona" ] || fail "the session did not end"
  [ ! -s "$work/err" ] || fail "unexpected errors"
  # The second run finds the database and creates nothing; entries after the end of work do not run.
  printf 'answer Tak\n' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --run "system > koniec pracy" --run "Pomoc > O programie")
  [ "$code" = 0 ] || fail "second run: exit code $code"
  ! grep -q "Utworzono" "$work/out" || fail "the database was created again"
  ;;
headless_editing)
  # A currency added through the popup and the form in one run is there in the next.
  cat >"$work/script" <<'SCRIPT'
browse popup
popup Dodaj
form set SYM_WALUTY XTS
form set NAZWA_WALUTY "waluta testowa"
form ok
close
SCRIPT
  code=$(run --db "$db" --script "$work/script" --run "Słowniki > Waluty")
  [ "$code" = 0 ] || fail "adding: exit code $code"
  printf 'browse delete SYM_WALUTY=XTS
answer Tak "MIRLET: Pytanie" "Czy usunąć tę walutę?"
close
' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --run "Słowniki > Waluty")
  [ "$code" = 0 ] || fail "deleting the added currency: exit code $code"
  printf 'browse pick SYM_WALUTY=XTS
' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --run "Słowniki > Waluty")
  [ "$code" != 0 ] || fail "the deleted currency is still there"
  ;;
script_failure)
  # A box the script does not answer fails the run; so does a step left over.
  printf 'answer Nie\n' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --run "Pomoc > O programie")
  [ "$code" != 0 ] || fail "a failed script exited with 0"
  grep -q "^Skrypt: .*MIRLET: Informacja" "$work/err" || fail "the failure does not name the box"
  grep -q "Sesja zakończona" "$work/out" || fail "the session did not end after the failure"
  printf 'browse pick SYM_WALUTY=XYZ\n' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --run "Słowniki > Waluty")
  [ "$code" != 0 ] || fail "a row missing from the browse exited with 0"
  grep -q "^Skrypt: step 1: no row with SYM_WALUTY=XYZ" "$work/err" || fail "the missing row is not named"
  printf 'answer OK\nanswer Tak\n' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --run "Pomoc > O programie")
  [ "$code" != 0 ] || fail "a script with a step left exited with 0"
  grep -q "^Skrypt: zostały kroki bez użycia: 1" "$work/err" || fail "the step left is not reported"
  code=$(run --db "$db" --script "$work/script" --run "Pomoc > Nie ma")
  [ "$code" = 2 ] || fail "an unknown menu entry: exit code $code"
  grep -q "Pomoc > O programie" "$work/err" || fail "the entries that exist are not listed"
  ;;
wrong_user)
  printf '' >"$work/script"
  code=$(run --db "$db" --script "$work/script" --user 42)
  [ "$code" != 0 ] || fail "an unknown user was let in"
  grep -q "^Logowanie odrzucone: Użytkownik o identyfikatorze 42 nie istnieje w tej bazie danych.$" "$work/err" ||
    fail "no refusal message"
  ! grep -q "Sesja zakończona" "$work/out" || fail "a session started"
  code=$(run --db "$db" --script "$work/script" --user 3000002)
  [ "$code" = 0 ] || fail "an ordinary user was refused: $code"
  grep -q "Jan Kowalski (JKOWALSKI, 3000002)" "$work/out" || fail "the ordinary user was not logged in"
  code=$(run --user abc)
  [ "$code" = 2 ] || fail "a user that is no number: exit code $code"
  ;;
no_display)
  code=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$mirlet" --db "$db" >"$work/out" 2>"$work/err"; echo $?)
  [ "$code" != 0 ] || fail "exit code 0 without a display"
  grep -q -- "--script PLIK" "$work/err" || fail "no hint at --script"
  grep -q "QT_QPA_PLATFORM=offscreen" "$work/err" || fail "no hint at the offscreen platform"
  [ ! -e "$work/data/mirlet.db" ] || fail "a database was created before the display was checked"
  ;;
offscreen_screenshot)
  rm -rf "$shots"
  code=$(QT_QPA_PLATFORM=offscreen "$mirlet" --db "$db" --screenshot "$shots" --quit-after-start \
    >"$work/out" 2>"$work/err"; echo $?)
  [ "$code" = 0 ] || fail "exit code $code"
  [ -s "$shots/000-main-Mirlet.png" ] || fail "no PNG of the main window"
  head -c 8 "$shots/000-main-Mirlet.png" | od -An -c | grep -q "P   N   G" || fail "the screenshot is no PNG"
  grep -q "Sesja zakończona" "$work/out" || fail "the session did not end"
  # The main window's place: one off every screen comes back visible and is kept so; a sound one is kept.
  ini="$XDG_CONFIG_HOME/mirlet/okna3000001.ini"
  [ -f "$ini" ] || fail "no settings file $ini"
  printf '[Mirlet]\nX=-32000\nY=-32000\nWidth=700\nHeight=500\n' >"$ini"
  code=$(QT_QPA_PLATFORM=offscreen "$mirlet" --db "$db" --quit-after-start >"$work/out" 2>"$work/err"; echo $?)
  [ "$code" = 0 ] || fail "restoring an off-screen place: exit code $code"
  x=$(sed -n 's/^X=//p' "$ini"); y=$(sed -n 's/^Y=//p' "$ini")
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] || fail "the off-screen place was kept: $x,$y"
  printf '[Mirlet]\nX=40\nY=30\nWidth=640\nHeight=400\n' >"$ini"
  code=$(QT_QPA_PLATFORM=offscreen "$mirlet" --db "$db" --quit-after-start >"$work/out" 2>"$work/err"; echo $?)
  [ "$code" = 0 ] || fail "restoring a sound place: exit code $code"
  grep -q "^X=40" "$ini" && grep -q "^Y=30" "$ini" && grep -q "^Width=640" "$ini" && grep -q "^Height=400" "$ini" ||
    fail "the sound place was not kept: $(cat "$ini")"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "passed: $case_name"
