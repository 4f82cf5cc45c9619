#include "app/resources.h"

#include <QtGlobal>

// Resources compiled into a static library are registered by hand, once.
static void InitResourcesOnce() {
  Q_INIT_RESOURCE(resources);
}

namespace quorella::app {
void InitResources() {
  static const bool done = (InitResourcesOnce(), true);
  (void)done;
}
}  // namespace quorella::app
