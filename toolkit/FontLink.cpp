#include "toolkit/FontLink.h"

std::vector<std::string> LinkedFamilies(const std::vector<std::string>& entries) {
  std::vector<std::string> families;
  for (const std::string& entry : entries) {
    const size_t comma = entry.find(',');
    if (comma == std::string::npos) continue;
    const size_t start = entry.find_first_not_of(" \t", comma + 1);
    if (start == std::string::npos) continue;
    families.push_back(entry.substr(start));
  }
  return families;
}

int FontForMissing(const std::vector<size_t>& covered, size_t missing) {
  if (missing == 0) return -1;
  int best = -1;
  size_t most = 0;
  for (size_t i = 0; i < covered.size(); ++i) {
    if (covered[i] >= missing) return static_cast<int>(i);
    if (covered[i] > most) {
      most = covered[i];
      best = static_cast<int>(i);
    }
  }
  return best;
}
