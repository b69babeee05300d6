// Sanitizer settings of every test program, so that the tests behave the same whoever runs
// them (ctest, a debugger, a developer's shell).
#include <cstddef>

extern "C" {

const char* __lsan_default_options()
{
    return "suppressions=" VEMORA_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

}
