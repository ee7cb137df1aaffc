#include "office/cancellinghandler.h"

#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionDisapprove.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>

void CancellingHandler::handle(const css::uno::Reference<css::task::XInteractionRequest>& request) {
    if (!request.is())
        return;
    const auto continuations = request->getContinuations();
    css::uno::Reference<css::task::XInteractionContinuation> chosen;
    for (const auto& continuation : continuations) {
        if (css::uno::Reference<css::task::XInteractionAbort>(continuation, css::uno::UNO_QUERY).is()) {
            chosen = continuation;
            break;
        }
        if (!chosen.is() &&
            css::uno::Reference<css::task::XInteractionDisapprove>(continuation, css::uno::UNO_QUERY).is())
            chosen = continuation;
    }
    if (chosen.is())
        chosen->select();
}
