#pragma once
// The program's icon: a green trace on a dark screen, drawn in code so it
// stays sharp at every size the desktop asks for.

#include <QIcon>

QIcon AppIcon();
