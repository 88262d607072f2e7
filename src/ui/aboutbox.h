#pragma once

class QWidget;

// Help > "About...".
void ShowAboutBox(QWidget *parent);
