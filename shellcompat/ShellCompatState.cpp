#include "shellcompat/ShellCompatState.h"

namespace {
constexpr SHELL_COMPAT_STATE StateAtLoad = {
    .DriverHandle = nullptr,
    .ParametersEvent = nullptr,
    .ParametersRegistration = nullptr,
    .Commands = nullptr,
    .EnvironmentFlags = 0,
};
}  // namespace

constinit SHELL_COMPAT_STATE ShellCompat = StateAtLoad;

SHELL_COMPAT_STATE ShellCompatStateAtLoad() { return StateAtLoad; }
