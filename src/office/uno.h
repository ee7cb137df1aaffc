#pragma once

// The UNO types of the LibreOffice backend (generated headers) and conversions between Qt and UNO strings.

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ustring.hxx>

#include <QString>

namespace css = ::com::sun::star;

inline rtl::OUString toOUString(const QString& text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

inline QString toQString(const rtl::OUString& text) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.getStr()), text.getLength());
}

// A file URL for a local path, as the office expects it.
rtl::OUString fileUrl(const QString& path);
// The local path of a file URL; empty for any other URL.
QString localPath(const rtl::OUString& url);
