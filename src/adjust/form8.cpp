#include "adjust/form8.h"

const QList<Control>& Form8::controls() {
    static const QList<Control> all = {
        {savePictureButton, ControlKind::Button},
    };
    return all;
}
