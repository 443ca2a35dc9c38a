#include "skin/skin_io_context.h"

#include <cstdio>
#include <ctime>

#include "base/platform.h"

std::string localLastUpdateText() {
  const std::time_t now = std::time(nullptr);
  const std::optional<std::tm> broken = localTime(now);
  if (!broken) return {};
  const std::tm& local = *broken;
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d-%02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}
