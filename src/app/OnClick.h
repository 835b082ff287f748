#pragma once
// Makes a plain widget (a picture, a link line) answer a left click.
#include <functional>

class QWidget;

// `handler` runs when the left button is released over `widget`; the pointer turns into a
// hand over it. The watcher lives as long as the widget.
void onClick(QWidget *widget, std::function<void()> handler);
