#include "map/mapcache.h"

#include "data/host.h"
#include "data/mapcache.h"

namespace garam {

void BuildMapCache() {
  garam::BuildMapCache([](int percent) { Host().Progress(percent); });
}

}  // namespace garam
