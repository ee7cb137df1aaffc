#pragma once

#include "design2011/mixdesign2011.h"

#include <QString>

// The one-line texts of a mix as the 2011 windows and sheets show it.

// "水泥 222，粉煤灰 48，矿渣粉 48，砂 801，碎石 1106，水 175，外加剂 6.36（kg/m³）"; the site mix names its
// aggregates "湿砂" and "湿碎石".
QString mixLineText(const MixMasses& mix, bool wetAggregate = false);
// "1 : 2.52 : 3.48，水胶比 0.55": sand and stone per binder, and the W/B as shown.
QString proportionText(const MixMasses& mix);
