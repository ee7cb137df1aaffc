#pragma once

#include <QIcon>

// The program's icon, drawn by the program: a grey concrete cube with the character 配 on a blue ground.
QIcon programIcon();
