#include "office/libreofficespreadsheet.h"

#include "office/activesheetmark.h"
#include "office/cancellinghandler.h"
#include "office/officelimits.h"
#include "office/officelocks.h"

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/FormulaResult.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

css::beans::PropertyValue property(const char16_t* name, const Any& value) {
    css::beans::PropertyValue p;
    p.Name = rtl::OUString(reinterpret_cast<const sal_Unicode*>(name));
    p.Value = value;
    return p;
}

rtl::OUString ou(const char16_t* text) { return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text)); }

// The failure of a call as a SpreadsheetError naming the operation: a timeout, an office gone, or another.
// The instance is in doubt from then on, and is not kept for another command.
[[noreturn]] void failedCall(OfficeInstance& instance, const char* operation, const css::uno::Exception& e,
                             bool disposed) {
    instance.inDoubt = true;
    QString message = QString::fromLatin1(operation);
    if (instance.process->deadline().overran())
        throw SpreadsheetTimeout(message +
                                 QStringLiteral(": LibreOffice did not answer in time and was ended"));
    if (!e.Message.isEmpty())
        message += QStringLiteral(": ") + toQString(e.Message);
    // The connection goes down with the office, a moment before its process is seen to end.
    if (disposed || !instance.process->running())
        throw SpreadsheetLost(message + QStringLiteral(" (LibreOffice has gone)"));
    throw SpreadsheetError(message);
}

// Runs one office call under the call limit and turns every UNO failure into a SpreadsheetError naming the
// operation. An office that overruns the limit is killed, which makes the blocked call fail.
template <typename Call>
auto guardedCall(OfficeInstance& instance, const char* operation, Call call) -> decltype(call()) {
    try {
        ArmedCall armed(instance.process->deadline(), instance.process->limits().callMs);
        return call();
    } catch (const css::lang::DisposedException& e) {
        failedCall(instance, operation, e, true);
    } catch (const css::uno::Exception& e) {
        failedCall(instance, operation, e, false);
    }
}

// The filters of real spreadsheet formats: anything else the office could take a file for (text, HTML, a
// picture) is not a workbook.
bool isSpreadsheetFilter(const rtl::OUString& filter) {
    const QString name = toQString(filter);
    static const QStringList prefixes = {QStringLiteral("MS Excel"),
                                         QStringLiteral("Calc MS Excel"),
                                         QStringLiteral("Calc Office Open XML"),
                                         QStringLiteral("calc8"),
                                         QStringLiteral("StarOffice XML (Calc)"),
                                         QStringLiteral("OpenDocument Spreadsheet"),
                                         QStringLiteral("calc_")};
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const QString& prefix) { return name.startsWith(prefix); });
}

rtl::OUString filterOf(const Reference<css::frame::XModel>& model) {
    for (const css::beans::PropertyValue& argument : model->getArgs())
        if (argument.Name == "FilterName") {
            rtl::OUString filter;
            argument.Value >>= filter;
            return filter;
        }
    return {};
}

// Whether any sheet of the workbook is hidden.
bool anyHidden(const Reference<css::container::XIndexAccess>& sheets) {
    for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
        Reference<css::beans::XPropertySet> properties(sheets->getByIndex(i), UNO_QUERY_THROW);
        bool visible = true;
        if ((properties->getPropertyValue(ou(u"IsVisible")) >>= visible) && !visible)
            return true;
    }
    return false;
}

// The office's own language: formats in it are stored in a workbook without a language tag.
css::lang::Locale officeLocale() { return css::lang::Locale(); }

const char16_t* const kFontNames[3] = {u"CharFontName", u"CharFontNameAsian", u"CharFontNameComplex"};
const char16_t* const kFontHeights[3] = {u"CharHeight", u"CharHeightAsian", u"CharHeightComplex"};

} // namespace

template <typename Call>
auto LibreOfficeSpreadsheet::guarded(const char* operation, Call call) const -> decltype(call()) {
    return guardedCall(*m_instance, operation, call);
}

LibreOfficeSpreadsheet::LibreOfficeSpreadsheet(std::shared_ptr<OfficeInstance> instance, OfficePool& pool,
                                               bool visible, bool kept)
    : m_instance(std::move(instance)), m_pool(pool), m_visible(visible), m_kept(kept) {}

LibreOfficeSpreadsheet::~LibreOfficeSpreadsheet() { finish(); }

void LibreOfficeSpreadsheet::finish() {
    const std::shared_ptr<OfficeInstance> instance = std::exchange(m_instance, nullptr);
    if (!instance)
        return;
    m_sheet.clear();
    m_pool.giveBack(instance);
    // An office that died while it held the saved file leaves its lock behind; it is stale now.
    if (!m_savedAs.isEmpty())
        clearStaleLock(m_savedAs);
}

void LibreOfficeSpreadsheet::requireOffice() const {
    if (!m_instance || m_instance->phase != OfficePhase::Busy || !m_instance->process->desktop().is())
        throw SpreadsheetError("the office instance is no longer this command's");
}

void LibreOfficeSpreadsheet::requireWorkbook() const {
    requireOffice();
    if (!m_sheet.is())
        throw SpreadsheetError("no workbook is open");
}

void LibreOfficeSpreadsheet::requireWritable() const {
    requireWorkbook();
    if (m_readOnly)
        throw SpreadsheetError("the workbook is open read-only");
}

void LibreOfficeSpreadsheet::open(const QString& path, OpenMode mode) {
    requireOffice();
    if (m_sheet.is())
        throw SpreadsheetError("a workbook is open already");
    if (!QFileInfo(path).isFile())
        throw WorkbookRefused(QStringLiteral("no such file: ") + path);
    // The office would take an empty file for a new workbook.
    if (QFileInfo(path).size() == 0)
        throw WorkbookRefused(QStringLiteral("an empty file is no workbook: ") + path);
    if (mode == OpenMode::Normal && !clearStaleLock(path))
        throw SpreadsheetError(QStringLiteral("the workbook is open elsewhere: ") + path);
    guarded("open", [&] {
        Reference<css::lang::XComponent> component = load(path, mode, !m_visible);
        Reference<css::sheet::XSpreadsheetDocument> document(component, UNO_QUERY_THROW);
        // A hidden load ignores the workbook's view settings, its active sheet among them. That matters only
        // where there is more than one sheet; a headless office shows no window, so it loads such a workbook
        // once more, unhidden (a windowed office would show it: hidden work never runs in one).
        if (!m_visible && m_instance->process->headless() &&
            document->getSheets()->getElementNames().getLength() > 1) {
            close(component);
            component = load(path, mode, false);
            document.set(component, UNO_QUERY_THROW);
        }
        m_instance->document = component;
        Reference<css::frame::XModel> model(component, UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
        Reference<css::sheet::XSpreadsheet> active;
        if (anyHidden(sheets)) {
            // The office would show another sheet in place of a hidden active one: the file's mark decides.
            const std::optional<int> marked = markedActiveSheet(path);
            if (!marked || *marked >= sheets->getCount())
                throw WorkbookRefused(QStringLiteral("the workbook's active sheet cannot be told: ") + path);
            active.set(sheets->getByIndex(*marked), UNO_QUERY_THROW);
        } else {
            Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY);
            if (view.is())
                active = view->getActiveSheet();
            if (!active.is())
                active.set(sheets->getByIndex(0), UNO_QUERY_THROW);
        }
        m_sheet = active;
        m_readOnly = mode == OpenMode::ReadOnly;
        m_fixedKeys.clear();
        m_keyDecimals.clear();
    });
}

void LibreOfficeSpreadsheet::openTemplate(const QString& path, const std::vector<FixedText>& form) {
    open(path, OpenMode::Template);
    requireForm(path, form);
}

void LibreOfficeSpreadsheet::openReadOnly(const QString& path, const std::vector<FixedText>& form) {
    open(path, OpenMode::ReadOnly);
    requireForm(path, form);
}

void LibreOfficeSpreadsheet::requireForm(const QString& path, const std::vector<FixedText>& form) {
    for (const FixedText& fixed : form) {
        const CellValue held = read(fixed.row, fixed.column);
        if (held.kind() != CellValue::Kind::Text || held.toText().trimmed() != fixed.text)
            throw WorkbookRefused(
                QStringLiteral("the workbook is not of its form (no \"%1\"): ").arg(fixed.text) + path);
    }
}

Reference<css::lang::XComponent> LibreOfficeSpreadsheet::load(const QString& path, OpenMode mode,
                                                              bool hidden) {
    std::vector<css::beans::PropertyValue> args = {
        property(u"Hidden", Any(hidden)),
        // A workbook may come from anyone: its macros never run and its links are never fetched.
        property(u"MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
        property(u"UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE)),
        property(u"InteractionHandler",
                 Any(Reference<css::task::XInteractionHandler>(new CancellingHandler))),
    };
    if (mode == OpenMode::ReadOnly)
        args.push_back(property(u"ReadOnly", Any(true)));
    if (mode == OpenMode::Template)
        args.push_back(property(u"AsTemplate", Any(true)));
    Reference<css::frame::XComponentLoader> loader(m_instance->process->desktop(), UNO_QUERY_THROW);
    const Reference<css::lang::XComponent> component = loader->loadComponentFromURL(
        fileUrl(path), ou(u"_blank"), 0,
        css::uno::Sequence<css::beans::PropertyValue>(args.data(), sal_Int32(args.size())));
    Reference<css::sheet::XSpreadsheetDocument> document(component, UNO_QUERY);
    Reference<css::frame::XModel> model(component, UNO_QUERY);
    const rtl::OUString filter = model.is() ? filterOf(model) : rtl::OUString();
    if (!document.is() || !isSpreadsheetFilter(filter)) {
        close(component);
        throw WorkbookRefused(QStringLiteral("not a spreadsheet (%1): ").arg(toQString(filter)) + path);
    }
    return component;
}

void LibreOfficeSpreadsheet::close(const Reference<css::lang::XComponent>& component) {
    Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
    if (closeable.is())
        closeable->close(true);
}

void LibreOfficeSpreadsheet::activate() {
    requireWorkbook();
    guarded("activate", [&] {
        Reference<css::frame::XModel> model(m_instance->document, UNO_QUERY_THROW);
        const Reference<css::frame::XController> controller = model->getCurrentController();
        if (!controller.is())
            return;
        const Reference<css::frame::XFrame> frame = controller->getFrame();
        frame->activate();
        if (!m_visible || m_instance->process->headless())
            return;
        Reference<css::awt::XTopWindow2> window(frame->getContainerWindow(), UNO_QUERY);
        if (window.is()) {
            window->setIsMaximized(true);
            window->toFront();
        }
    });
}

void LibreOfficeSpreadsheet::saveAs(const QString& path) {
    requireWorkbook();
    // Decided here, not by an office dialog: a file open in a running office is not replaced.
    if (!clearStaleLock(path))
        throw SpreadsheetError(QStringLiteral("the workbook is open elsewhere: ") + path);
    m_savedAs = path;
    guarded("save as", [&] {
        css::uno::Sequence<css::beans::PropertyValue> args(3);
        args[0] = property(u"FilterName", Any(ou(u"MS Excel 97")));
        args[1] = property(u"Overwrite", Any(true));
        args[2] = property(u"InteractionHandler",
                           Any(Reference<css::task::XInteractionHandler>(new CancellingHandler)));
        Reference<css::frame::XStorable> storable(m_instance->document, UNO_QUERY_THROW);
        storable->storeAsURL(fileUrl(path), args);
    });
}

QString LibreOfficeSpreadsheet::fullName() const {
    requireWorkbook();
    return guarded("full name", [&] {
        Reference<css::frame::XModel> model(m_instance->document, UNO_QUERY_THROW);
        return localPath(model->getURL());
    });
}

void LibreOfficeSpreadsheet::setAuthor(const QString& author) {
    requireWritable();
    guarded("author", [&] {
        Reference<css::document::XDocumentPropertiesSupplier> supplier(m_instance->document, UNO_QUERY_THROW);
        supplier->getDocumentProperties()->setAuthor(toOUString(author));
    });
}

// Western, Asian and complex script twins alike, so Chinese cells take the font too.
void LibreOfficeSpreadsheet::setSheetProperties(const char16_t* const names[3], const Any& value) {
    requireWritable();
    guarded("font", [&] {
        Reference<css::beans::XPropertySet> properties(m_sheet, UNO_QUERY_THROW);
        for (int i = 0; i < 3; ++i)
            properties->setPropertyValue(ou(names[i]), value);
    });
}

void LibreOfficeSpreadsheet::setFontName(const QString& name) {
    setSheetProperties(kFontNames, Any(toOUString(name)));
}

void LibreOfficeSpreadsheet::setFontSize(double points) {
    setSheetProperties(kFontHeights, Any(float(points)));
}

void LibreOfficeSpreadsheet::renameSheet(const QString& name) {
    requireWritable();
    guarded("rename sheet", [&] {
        Reference<css::container::XNamed> named(m_sheet, UNO_QUERY_THROW);
        named->setName(toOUString(name));
        if (named->getName() != toOUString(name))
            throw SpreadsheetError(QStringLiteral("sheet name refused: ") + name);
    });
}

Reference<css::table::XCell> LibreOfficeSpreadsheet::cell(int row, int column) const {
    requireWorkbook();
    if (row < 1 || column < 1)
        throw SpreadsheetError("row and column count from 1");
    return guarded("cell", [&] { return m_sheet->getCellByPosition(column - 1, row - 1); });
}

void LibreOfficeSpreadsheet::writeText(int row, int column, const QString& text) {
    requireWritable();
    const CellValue value = CellValue::typedEntry(text);
    if (value.kind() == CellValue::Kind::Number) {
        writeNumber(row, column, value.toNumber());
        if (value.decimals() > 0) {
            // Shown as the text showed it; without decimals the cell keeps the template's format.
            const sal_Int32 key = fixedFormatKey(value.decimals());
            const Reference<css::table::XCell> target = cell(row, column);
            guarded("number format", [&] {
                Reference<css::beans::XPropertySet> properties(target, UNO_QUERY_THROW);
                properties->setPropertyValue(ou(u"NumberFormat"), Any(key));
            });
        }
        return;
    }
    const Reference<css::table::XCell> target = cell(row, column);
    if (text.isEmpty()) {
        // An empty entry empties the cell.
        guarded("write text", [&] {
            Reference<css::sheet::XSheetOperation> operation(target, UNO_QUERY_THROW);
            operation->clearContents(css::sheet::CellFlags::VALUE | css::sheet::CellFlags::DATETIME |
                                     css::sheet::CellFlags::STRING | css::sheet::CellFlags::FORMULA);
        });
        return;
    }
    // Verbatim: never parsed as a date, a formula or a percentage.
    guarded("write text", [&] {
        Reference<css::text::XText> textOf(target, UNO_QUERY_THROW);
        textOf->setString(toOUString(text));
    });
}

void LibreOfficeSpreadsheet::writeNumber(int row, int column, double value) {
    requireWritable();
    const Reference<css::table::XCell> target = cell(row, column);
    guarded("write number", [&] { target->setValue(value); });
}

sal_Int32 LibreOfficeSpreadsheet::fixedFormatKey(int decimals) {
    const auto known = m_fixedKeys.find(decimals);
    if (known != m_fixedKeys.end())
        return known->second;
    const sal_Int32 key = guarded("number format", [&] {
        Reference<css::util::XNumberFormatsSupplier> supplier(m_instance->document, UNO_QUERY_THROW);
        const Reference<css::util::XNumberFormats> formats = supplier->getNumberFormats();
        // "0.00" in the office language's own notation, from the standard number format.
        const rtl::OUString code =
            formats->generateFormat(0, officeLocale(), false, false, sal_Int16(decimals), 1);
        const sal_Int32 found = formats->queryKey(code, officeLocale(), false);
        return found >= 0 ? found : formats->addNew(code, officeLocale());
    });
    m_fixedKeys[decimals] = key;
    return key;
}

int LibreOfficeSpreadsheet::shownDecimals(const Reference<css::table::XCell>& source) {
    Reference<css::beans::XPropertySet> properties(source, UNO_QUERY_THROW);
    sal_Int32 key = 0;
    if (!(properties->getPropertyValue(ou(u"NumberFormat")) >>= key))
        return 0;
    const auto known = m_keyDecimals.find(key);
    if (known != m_keyDecimals.end())
        return known->second;
    Reference<css::util::XNumberFormatsSupplier> supplier(m_instance->document, UNO_QUERY_THROW);
    const Reference<css::util::XNumberFormats> formats = supplier->getNumberFormats();
    const Reference<css::beans::XPropertySet> format = formats->getByKey(key);
    rtl::OUString code;
    int decimals = 0;
    if (format.is() && (format->getPropertyValue(ou(u"FormatString")) >>= code)) {
        decimals = fixedFormatDecimals(toQString(code));
        // A language with another decimal sign ("0,00"): plain when it is the code that language generates.
        sal_Int16 count = 0;
        css::lang::Locale locale;
        if (decimals == 0 && (format->getPropertyValue(ou(u"Decimals")) >>= count) && count > 0 &&
            (format->getPropertyValue(ou(u"Locale")) >>= locale)) {
            for (const bool grouped : {false, true})
                if (formats->generateFormat(0, locale, grouped, false, count, 1) == code)
                    decimals = count;
        }
    }
    m_keyDecimals[key] = decimals;
    return decimals;
}

CellValue LibreOfficeSpreadsheet::read(int row, int column) {
    const Reference<css::table::XCell> source = cell(row, column);
    return guarded("read", [&]() -> CellValue {
        const auto text = [&] {
            Reference<css::text::XText> textOf(source, UNO_QUERY_THROW);
            return CellValue::text(toQString(textOf->getString()));
        };
        switch (source->getType()) {
        case css::table::CellContentType_EMPTY:
            return {};
        case css::table::CellContentType_VALUE:
            return CellValue::number(source->getValue(), shownDecimals(source));
        case css::table::CellContentType_TEXT:
            return text();
        case css::table::CellContentType_FORMULA: {
            if (source->getError() != 0)
                throw SpreadsheetError("the cell holds an error value");
            Reference<css::beans::XPropertySet> properties(source, UNO_QUERY_THROW);
            sal_Int32 result = 0;
            properties->getPropertyValue(ou(u"FormulaResultType2")) >>= result;
            if (result == css::sheet::FormulaResult::VALUE)
                return CellValue::number(source->getValue(), shownDecimals(source));
            return text();
        }
        default:
            return {};
        }
    });
}

void LibreOfficeSpreadsheet::save() {
    requireWritable();
    guarded("save", [&] {
        Reference<css::frame::XStorable> storable(m_instance->document, UNO_QUERY_THROW);
        storable->store();
    });
}

void LibreOfficeSpreadsheet::quit() {
    requireOffice();
    finish();
}

void LibreOfficeSpreadsheet::handOver() {
    requireOffice();
    m_sheet.clear();
    m_pool.handOver(std::exchange(m_instance, nullptr));
}

void LibreOfficeSpreadsheet::placePicture(int row, int column, const QByteArray& png, double widthMm,
                                          double heightMm) {
    requireWritable();
    const Reference<css::table::XCell> anchor = cell(row, column);
    guarded("picture", [&] {
        // The bytes themselves, not a link: the picture is stored inside the workbook.
        const css::uno::Sequence<sal_Int8> bytes(reinterpret_cast<const sal_Int8*>(png.constData()),
                                                 sal_Int32(png.size()));
        const Reference<css::uno::XComponentContext>& context = m_instance->process->context();
        const Reference<css::io::XInputStream> stream(
            css::io::SequenceInputStream::createStreamFromSequence(context, bytes), UNO_QUERY_THROW);
        const Reference<css::graphic::XGraphicProvider> provider =
            css::graphic::GraphicProvider::create(context);
        css::uno::Sequence<css::beans::PropertyValue> source(1);
        source[0] = property(u"InputStream", Any(stream));
        const Reference<css::graphic::XGraphic> graphic = provider->queryGraphic(source);
        if (!graphic.is())
            throw SpreadsheetError("the picture is no PNG the office can read");

        Reference<css::lang::XMultiServiceFactory> factory(m_instance->document, UNO_QUERY_THROW);
        Reference<css::drawing::XShape> shape(
            factory->createInstance(ou(u"com.sun.star.drawing.GraphicObjectShape")), UNO_QUERY_THROW);
        // The sheet's draw page: the document's page of the same index.
        Reference<css::sheet::XCellRangeAddressable> addressable(m_sheet, UNO_QUERY_THROW);
        Reference<css::drawing::XDrawPagesSupplier> pages(m_instance->document, UNO_QUERY_THROW);
        Reference<css::drawing::XShapes> page(
            pages->getDrawPages()->getByIndex(addressable->getRangeAddress().Sheet), UNO_QUERY_THROW);
        page->add(shape);
        Reference<css::beans::XPropertySet> shapeProperties(shape, UNO_QUERY_THROW);
        shapeProperties->setPropertyValue(ou(u"Graphic"), Any(graphic));
        Reference<css::beans::XPropertySet> cellProperties(anchor, UNO_QUERY_THROW);
        css::awt::Point corner;
        cellProperties->getPropertyValue(ou(u"Position")) >>= corner;
        shape->setPosition(corner);
        // Hundredths of a millimetre.
        shape->setSize(css::awt::Size(sal_Int32(widthMm * 100), sal_Int32(heightMm * 100)));
        shapeProperties->setPropertyValue(ou(u"Anchor"),
                                          Any(Reference<css::uno::XInterface>(anchor, UNO_QUERY)));
    });
}

void LibreOfficeSpreadsheet::exportPdf(const QString& path) {
    requireWorkbook();
    // The office locks the file while it writes it; one that died meanwhile left its lock behind.
    if (!clearStaleLock(path))
        throw SpreadsheetError(QStringLiteral("the PDF is open elsewhere: ") + path);
    guarded("pdf", [&] {
        css::uno::Sequence<css::beans::PropertyValue> args(2);
        args[0] = property(u"FilterName", Any(ou(u"calc_pdf_Export")));
        args[1] = property(u"Overwrite", Any(true));
        Reference<css::frame::XStorable> storable(m_instance->document, UNO_QUERY_THROW);
        storable->storeToURL(fileUrl(path), args);
    });
}
