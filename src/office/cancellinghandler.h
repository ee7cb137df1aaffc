#pragma once

#include "office/uno.h"

#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

// Answers every question the office would put to the user during a command's load or save with "abort" (or
// "no"), so no office dialog ever appears: the call fails instead, and the command shows its own message.
class CancellingHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest>& request) override;
};
