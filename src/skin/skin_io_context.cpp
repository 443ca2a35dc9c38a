#include "skin/skin_io_context.h"

#include <cstdio>
#include <ctime>

std::string localLastUpdateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d-%02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}
