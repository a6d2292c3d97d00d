#pragma once

class QAction;
class QWidget;

// A control of a bar that stands for a command: it is enabled exactly when the
// command's action is, and a check box also takes its check mark, whenever the
// action changes (the menus bring the actions up to date).
void FollowCommand(QWidget *pControl, QAction *pAction);
