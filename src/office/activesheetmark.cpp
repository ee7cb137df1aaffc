#include "office/activesheetmark.h"

#include <QFile>

#include <cstdint>
#include <vector>

namespace {

// A workbook file bigger than this is not read for its mark.
constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;

constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint16_t kBof = 0x0809;
constexpr uint16_t kEof = 0x000A;
constexpr uint16_t kWindow1 = 0x003D;
constexpr uint16_t kBiff8 = 0x0600;
constexpr uint16_t kGlobals = 0x0005;

// Anything that does not add up: the file is no workbook that can be read here.
struct Damaged {};

uint16_t u16(const QByteArray& data, qint64 at) {
    if (at < 0 || at + 2 > data.size())
        throw Damaged();
    return uint16_t(uchar(data.at(at)) | (uchar(data.at(at + 1)) << 8));
}

uint32_t u32(const QByteArray& data, qint64 at) {
    return uint32_t(u16(data, at)) | (uint32_t(u16(data, at + 2)) << 16);
}

// The streams of an OLE compound file, as far as a workbook needs them.
class CompoundFile {
public:
    explicit CompoundFile(QByteArray data) : m_data(std::move(data)) {
        static const QByteArray signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        if (!m_data.startsWith(signature))
            throw Damaged();
        const uint16_t shift = u16(m_data, 0x1E);
        if (shift != 9 && shift != 12)
            throw Damaged();
        m_sectorSize = qint64(1) << shift;
        m_smallStreamLimit = u32(m_data, 0x38);
        readFat();
        m_directory = sectors(u32(m_data, 0x30));
    }

    // The stream of that name; throws where there is none, or where it is one of the small streams kept in an
    // area of their own, which is not read here.
    QByteArray stream(const QString& name) const {
        for (qint64 at = 0; at + 128 <= m_directory.size(); at += 128) {
            const uint16_t nameBytes = u16(m_directory, at + 0x40);
            if (nameBytes < 2 || nameBytes > 64 || m_directory[at + 0x42] != 2)
                continue;
            const QString entry = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(m_directory.constData() + at), nameBytes / 2 - 1);
            if (entry != name)
                continue;
            const uint32_t start = u32(m_directory, at + 0x74);
            const qint64 size = u32(m_directory, at + 0x78);
            if (size < m_smallStreamLimit)
                throw Damaged();
            QByteArray content = sectors(start);
            if (content.size() < size)
                throw Damaged();
            content.truncate(size);
            return content;
        }
        throw Damaged();
    }

private:
    qint64 sectorOffset(uint32_t sector) const { return (qint64(sector) + 1) * m_sectorSize; }

    static std::vector<uint32_t> words(const QByteArray& bytes) {
        std::vector<uint32_t> result;
        for (qint64 at = 0; at + 4 <= bytes.size(); at += 4)
            result.push_back(u32(bytes, at));
        return result;
    }

    // The block at offset; the file's last one may be short.
    static QByteArray slice(const QByteArray& from, qint64 offset, qint64 length) {
        if (offset < 0 || offset >= from.size())
            throw Damaged();
        return from.mid(offset, length);
    }

    // The sectors of a chain through the FAT, in order; a chain that loops or leaves the table is damage.
    QByteArray sectors(uint32_t start) const {
        QByteArray result;
        size_t steps = 0;
        for (uint32_t sector = start; sector != kEndOfChain; sector = m_fat[sector]) {
            if (sector >= m_fat.size() || ++steps > m_fat.size())
                throw Damaged();
            result += slice(m_data, sectorOffset(sector), m_sectorSize);
        }
        return result;
    }

    // The FAT from the sector list in the header and in the chain of list sectors after it.
    void readFat() {
        std::vector<uint32_t> fatSectors;
        const uint32_t fatCount = u32(m_data, 0x2C);
        for (int i = 0; i < 109 && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(u32(m_data, 0x4C + 4 * i));
        uint32_t list = u32(m_data, 0x44);
        const qint64 perList = m_sectorSize / 4 - 1;
        for (int guard = 0; fatSectors.size() < fatCount; ++guard) {
            if (list == kEndOfChain || guard > 1 << 16)
                throw Damaged();
            for (qint64 i = 0; i < perList && fatSectors.size() < fatCount; ++i)
                fatSectors.push_back(u32(m_data, sectorOffset(list) + 4 * i));
            list = u32(m_data, sectorOffset(list) + 4 * perList);
        }
        for (const uint32_t sector : fatSectors) {
            const std::vector<uint32_t> part = words(slice(m_data, sectorOffset(sector), m_sectorSize));
            m_fat.insert(m_fat.end(), part.begin(), part.end());
        }
    }

    QByteArray m_data;
    qint64 m_sectorSize = 512;
    qint64 m_smallStreamLimit = 4096;
    std::vector<uint32_t> m_fat;
    QByteArray m_directory;
};

// The current tab of the workbook globals' window record.
std::optional<int> currentTab(const QByteArray& workbook) {
    if (u16(workbook, 0) != kBof || u16(workbook, 4) != kBiff8 || u16(workbook, 6) != kGlobals)
        return std::nullopt;
    for (qint64 at = 0; at + 4 <= workbook.size();) {
        const uint16_t kind = u16(workbook, at);
        const uint16_t length = u16(workbook, at + 2);
        if (kind == kWindow1 && length >= 12)
            return int(u16(workbook, at + 4 + 10));
        if (kind == kEof)
            return std::nullopt;
        at += 4 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> markedActiveSheet(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return std::nullopt;
    try {
        return currentTab(CompoundFile(file.readAll()).stream(QStringLiteral("Workbook")));
    } catch (const Damaged&) {
        return std::nullopt;
    }
}
