// Dragging preview elements (being written).
#include "app/main_window.h"

void TForm1::ConnectDragHandlers() {}
void TForm1::MainIconMouseDown(int, Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::MainIconMouseMove(int, qorvi::app::ShiftState, QPoint) {}
void TForm1::MainIconMouseUp(int, Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::SubIconMouseDown(int, Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::SubIconMouseMove(int, qorvi::app::ShiftState, QPoint) {}
void TForm1::SubIconMouseUp(int, Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::BusyIconMouseDown(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::BusyIconMouseMove(qorvi::app::ShiftState, QPoint) {}
void TForm1::BusyIconMouseUp(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::BatteryIconMouseDown(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::BatteryIconMouseMove(qorvi::app::ShiftState, QPoint) {}
void TForm1::BatteryIconMouseUp(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::ClockMouseDown(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::ClockMouseMove(qorvi::app::ShiftState, QPoint) {}
void TForm1::ClockMouseUp(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::MainMenutextMouseDown(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::MainMenutextMouseMove(qorvi::app::ShiftState, QPoint) {}
void TForm1::MainMenutextMouseUp(Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::SubMenuTextMouseDown(int, Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
void TForm1::SubMenuTextMouseMove(int, qorvi::app::ShiftState, QPoint) {}
void TForm1::SubMenuTextMouseUp(int, Qt::MouseButton, qorvi::app::ShiftState, QPoint) {}
