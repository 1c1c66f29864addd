#include "entry/application.h"

namespace stats {

std::unique_ptr<QsoStore> makeApplicationQsoStore() {
  return makeIndexedQsoStore();
}

}  // namespace stats
