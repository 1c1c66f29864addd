// The benchmark's reference build of the library keeps its log in the scanning store.
#include "entry/application.h"
#include "tests/model/linear_qso_store.h"

namespace stats {

std::unique_ptr<QsoStore> makeApplicationQsoStore() {
  return stats_model::makeLinearQsoStore();
}

}  // namespace stats
