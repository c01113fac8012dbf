// The main window's handlers of the chart: its popup items, bar and
// background clicks and the difference threshold.

#include "app/main_window.h"
#include "display/profile_chart.h"
#include "display/result_panel.h"

namespace tavo {

void TForm1::miPart1Click()
{
    paTest->profileChart().toggleSeries(ProfileSeries::Series1, *miPart1);
}

void TForm1::miPart2Click()
{
    paTest->profileChart().toggleSeries(ProfileSeries::Series2, *miPart2);
}

void TForm1::miDeltaClick()
{
    paTest->profileChart().toggleSeries(ProfileSeries::Series3, *miDelta);
}

void TForm1::seDeltaChange()
{
    paTest->thresholdChanged();
}

void TForm1::Series1Click(int, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    paTest->profileChart().seriesClicked(ProfileSeries::Series1, button);
}

void TForm1::Series2Click(int, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    paTest->profileChart().seriesClicked(ProfileSeries::Series2, button);
}

void TForm1::Series3Click(int, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    paTest->profileChart().seriesClicked(ProfileSeries::Series3, button);
}

void TForm1::ChartClickBackground(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    paTest->profileChart().backgroundClicked(button);
}

} // namespace tavo
