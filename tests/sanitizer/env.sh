# Sourced before running anything built with TARVEX_SANITIZE=ON: the first address or
# undefined-behaviour report ends the process with a failure.
#
# Leaks are checked in the suites that make no GL context (unit tests). In the ones that do, the
# software renderer (swrast_dri.so) is unloaded when GLUT closes the display at exit, before the
# leak check runs: its allocations (back buffers, display-list storage) then print as
# "<unknown module>", and no suppression can name them. Full malloc stacks would reach
# libGLX_mesa, but the slow unwinder deadlocks inside llvmpipe's JIT, so CMake turns leak
# detection off for the gl and e2e suites only (TARVEX_SANITIZE block in CMakeLists.txt).
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
