#!/usr/bin/env bash
# Checks the suite's Windows side with mingw-w64 and Wine, without Windows:
#  1. every source file with Windows-only code, and every other source of the
#     programs (not of their tests), is compiled for Windows against Qt's
#     headers, up to syntax: there are no Qt libraries for Windows here to link
#     with, and Qt's Linux headers only stand in for the Windows ones, so
#     object code would prove nothing more. -fsyntax-only still checks every
#     type, overload and Win32 signature;
#  2. the standard-C++ cores and their tests are built as Windows programs
#     (GoogleTest from Debian's sources, linked statically) and run under Wine;
#  3. within those tests, the Qt-free Win32 calls of the platform layer (file
#     times, registry, folder reader) and the settings-file rules are checked
#     against the system's own calls.
# No window is shown: Wine runs without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
debut=$SECONDS
jobs="${WINDOWS_JOBS:-2}"
cxx=x86_64-w64-mingw32-g++-posix
wine_cmd=$(command -v wine64 || command -v wine)

# A prefix of its own, made while the compiler works.
export WINEPREFIX
WINEPREFIX=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY WAYLAND_DISPLAY
nettoyer() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" "${duree_prefixe:-}"
}
trap nettoyer EXIT
duree_prefixe=$(mktemp)
( d=$SECONDS; wineboot -i >/dev/null 2>&1; wineserver -w; echo $((SECONDS - d)) >"$duree_prefixe" ) &
prefixe=$!

echo "== Windows 1/3 : compilation pour Windows du code des programmes (syntaxe)"
etape=$SECONDS
qt=$(pkg-config --variable=includedir Qt6Core 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
qt_inc=(-isystem "$qt")
for m in QtCore QtGui QtWidgets QtDBus QtSvg; do qt_inc+=(-isystem "$qt/$m"); done
# The Windows-only files by name, then the programs' other sources: the
# Linux-only ones (posix/) and the tests stay out.
mapfile -t propres < <({ ls common/platform/win32/*.cpp
  grep -rl --include='*.cpp' --exclude-dir=build --exclude-dir=.git 'Q_OS_WIN' . | sed 's|^\./||'; } | sort -u)
printf '  %s\n' "${propres[@]}"
mapfile -t sources < <({ printf '%s\n' "${propres[@]}"
  find . -name '*.cpp' -not -path './build*' -not -path './.git/*' -not -path '*/tests/*' \
    -not -path '*/testing/*' -not -path '*/posix/*' -not -path './benchmarks/*' -not -path './fuzz/*' \
    -not -path './windows/*' -not -path './e2e/*' -not -path './desktop/captures/*' | sed 's|^\./||'; } | sort -u)
echo "  et ${#sources[@]} fichiers en tout"
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -I{} \
  "$cxx" -std=c++20 -fsyntax-only -Wall -Wextra -Werror -I. "${qt_inc[@]}" {}
echo "  ($((SECONDS - etape)) s)"

echo "== Windows 2/3 : cœurs et tests construits pour Windows"
etape=$SECONDS
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S windows -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/windows/mingw.cmake" "${lanceur[@]}" >/dev/null
cmake --build build/windows -j "$jobs"
echo "  ($((SECONDS - etape)) s)"

echo "== Windows 3/3 : tests sous Wine"
etape=$SECONDS
wait "$prefixe"
echo "  préfixe Wine fait en $(cat "$duree_prefixe") s, pendant la compilation"
echec=0
for t in build/windows/bin/*_tests.exe; do
  if timeout 300 "$wine_cmd" "$t" --gtest_brief=1 >"$t.log" 2>&1; then
    echo "  $(basename "$t") : $(grep -E '^\[  PASSED  \]' "$t.log")"
  else
    echo "  $(basename "$t") : ÉCHEC"
    cat "$t.log"
    echec=1
  fi
done
echo "  ($((SECONDS - etape)) s)"
echo "== Windows : $((SECONDS - debut)) s"
exit "$echec"
