#pragma once

#include "office/uno.h"

#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/implbase1.hxx>

#include <atomic>

// Notes that a workbook left open for the user has been closed (its document is disposed), so the program can
// end the office that held it. The office calls it on one of its own threads; the flag is read on the
// program's.
class CloseWatcher : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    void SAL_CALL disposing(const css::lang::EventObject& source) override;
    bool closed() const { return m_closed.load(); }

private:
    std::atomic<bool> m_closed{false};
};
