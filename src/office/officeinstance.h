#pragma once

#include "office/officeprocess.h"

#include <com/sun/star/lang/XComponent.hpp>

#include <memory>

// What the factory and the spreadsheet of one started office share: the process and the workbook it shows.
struct OfficeInstance {
    std::unique_ptr<OfficeProcess> process;
    css::uno::Reference<css::lang::XComponent> document;
    // Left open for the user: the spreadsheet no longer ends it; the factory saves or ends it on request.
    bool handedOver = false;
};
