#include "base/shell_services.h"

ServicesShell& Services_Shell() {
  static ServicesShell services;
  return services;
}
