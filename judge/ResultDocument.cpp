#include "judge/ResultDocument.h"

void WriteResult(TNameValueTree& result, const std::optional<int32_t>& lights) {
  if (lights) {
    result.WriteInteger(ResultLightsKey, *lights, 0);
  } else {
    result.WriteString(ResultLightsKey, "", 0);
  }
}

int32_t ResultStanding(TNameValueTree& result) { return result.ReadInteger(ResultLightsKey, NoLightsCount, 0); }

int32_t CompareResultDocuments(TNameValueTree& a, TNameValueTree& b) {
  return CompareStandings(ResultStanding(a), ResultStanding(b));
}
