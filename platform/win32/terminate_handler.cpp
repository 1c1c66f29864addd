// What std::terminate does in Stats.dll. The C++ runtime's default handler names the uncaught
// exception's type on standard error, which a windowed logger does not have, and brings the
// runtime's whole name demangler into the DLL (about 46 KB of the 32-bit file). This one leaves a
// trace in the debug output and ends the process, as the default does.
#include <cstdlib>

#include "core/diagnostics/diagnostics.h"

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() {
  stats::traceFailure("terminate: an exception escaped or a noexcept function threw");
  std::abort();
}

}  // namespace __gnu_cxx
