// The main window's handlers of the chart's popup items. The chart's clicks
// and the threshold field are the result panel's own.

#include "app/main_window.h"
#include "display/profile_chart.h"
#include "display/result_panel.h"

namespace tavo {

void TForm1::miPart1Click() { resultPanel().profileChart().toggleSeries(ProfileSeries::Series1, *miPart1); }

void TForm1::miPart2Click() { resultPanel().profileChart().toggleSeries(ProfileSeries::Series2, *miPart2); }

void TForm1::miDeltaClick() { resultPanel().profileChart().toggleSeries(ProfileSeries::Series3, *miDelta); }

} // namespace tavo
