#!/usr/bin/env bash
# Builds Tarvex and runs every test suite on a virtual X display with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
# The browser page and its zip, which the web tests open in headless Chromium.
TARVEX_JOBS="$(nproc)" bash scripts/package-web.sh

# A test that fails is run once more before it counts as failed: the tests that drive the real
# window share one virtual display with the rest of the machine's work, and a lost X event or
# connection must not hide behind a real fault, which fails both times. The names of the tests
# that needed the second run are printed, so that a fault that comes and goes is seen.
export LIBGL_ALWAYS_SOFTWARE=1
# A virtual display of its own for each step. xvfb-run -a takes the first free number, and two
# of them started at the same moment on a shared machine can both take it, the second one's
# clients then refused by the first one's server: the search starts at a random number.
xvfb() { xvfb-run -a -n $((100 + RANDOM % 800)) -e /dev/stderr -s "-screen 0 1280x1024x24" "$@"; }
run_tests() {
  local dir=$1
  if xvfb \
      ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"; then
    return 0
  fi
  echo "Failed once, run again:"
  cut -d: -f2- "$dir/Testing/Temporary/LastTestsFailed.log" | sed 's/^/  /'
  xvfb \
    ctest --test-dir "$dir" --output-on-failure --rerun-failed
}
run_tests build

# The GL tests once more as one process in a random order: each test sets the GL state it needs.
xvfb ./build/tarvex_gl_tests --gtest_shuffle --gtest_brief=1

# The unit tests under valgrind's memcheck: any invalid access or lost block fails.
valgrind -q --error-exitcode=9 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  ./build/tarvex_unit_tests --gtest_brief=1
# A short run of the real program under memcheck: any invalid access or uninitialised value fails.
xvfb bash scripts/memcheck-program.sh 20

# The Windows packages, cross-built: the zip's tarvex.exe driven under Wine on a virtual display,
# then the MSI installed, started from its shortcut and removed.
bash scripts/build-windows.sh
xvfb bash scripts/windows-smoke.sh
xvfb bash scripts/windows-msi-test.sh

# The same suites again with AddressSanitizer and UndefinedBehaviorSanitizer on everything.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
source tests/sanitizer/env.sh
run_tests build-asan

# A bounded fuzzing run of the texture parser (libFuzzer, 60 s).
bash scripts/fuzz.sh 60

# A one-minute soak of the real program with random keys and mouse events.
xvfb bash scripts/soak.sh 60
