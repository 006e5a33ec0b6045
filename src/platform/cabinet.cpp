#include "platform/cabinet.h"

#include "platform/errors.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <memory>

// GLib names a struct member `signals`, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <libgcab.h>
#pragma pop_macro("signals")

namespace yw {

namespace {

// libgcab, and the GLib, GIO and GObject libraries it needs, are loaded when the first package is
// made: linked in, they were a quarter of the dynamic linker's work at every start of the editor.
struct Gcab
{
#define YW_GCAB_FUNCTION(name) decltype(&::name) name = nullptr;
#define YW_GCAB_FUNCTIONS(F)                                                                       \
    F(gcab_cabinet_new)                                                                            \
    F(gcab_cabinet_add_folder)                                                                     \
    F(gcab_cabinet_write_simple)                                                                   \
    F(gcab_folder_new)                                                                             \
    F(gcab_folder_add_file)                                                                        \
    F(gcab_file_new_with_file)                                                                     \
    F(gcab_file_set_date_time)                                                                     \
    F(gcab_file_set_attributes)                                                                    \
    F(g_object_unref)                                                                              \
    F(g_error_free)                                                                                \
    F(g_file_new_for_path)                                                                         \
    F(g_date_time_new_local)                                                                       \
    F(g_date_time_unref)                                                                           \
    F(g_memory_output_stream_new_resizable)                                                        \
    F(g_memory_output_stream_get_data)                                                             \
    F(g_memory_output_stream_get_data_size)                                                        \
    F(g_memory_input_stream_new_from_data)                                                         \
    F(gcab_cabinet_load)                                                                           \
    F(gcab_cabinet_extract_simple)                                                                 \
    F(gcab_cabinet_get_folders)                                                                    \
    F(gcab_folder_get_files)                                                                       \
    F(gcab_file_get_name)                                                                          \
    F(gcab_file_get_bytes)                                                                         \
    F(g_bytes_get_data)                                                                            \
    F(g_slist_free)
    YW_GCAB_FUNCTIONS(YW_GCAB_FUNCTION)
#undef YW_GCAB_FUNCTION
    QString failure; // why the library could not be used; empty when it can
};

const Gcab& gcab()
{
    static const Gcab loaded = [] {
        Gcab api;
        // Never unloaded: GObject types cannot be unregistered.
        void* library = dlopen("libgcab-1.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            api.failure = QString::fromLocal8Bit(dlerror());
            return api;
        }
#define YW_GCAB_FUNCTION(name)                                                                     \
    api.name = reinterpret_cast<decltype(api.name)>(dlsym(library, #name));                        \
    if (!api.name && api.failure.isEmpty())                                                        \
        api.failure = QStringLiteral("libgcab-1.0.so.0 has no %1").arg(QLatin1String(#name));
        YW_GCAB_FUNCTIONS(YW_GCAB_FUNCTION)
#undef YW_GCAB_FUNCTION
        return api;
    }();
    return loaded;
}
#undef YW_GCAB_FUNCTIONS

struct GObjectUnref
{
    void operator()(gpointer object) const
    {
        if (object)
            gcab().g_object_unref(object);
    }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorHolder
{
    GError* error = nullptr;
    ~GErrorHolder()
    {
        if (error)
            gcab().g_error_free(error);
    }
    QString text() const
    {
        return error ? QString::fromUtf8(error->message) : QStringLiteral("unknown error");
    }
};

} // namespace

namespace {

// The cabinet's own headers, walked before libgcab sees the cabinet: libgcab trusts the declared
// sizes and would unpack as much as a hostile cabinet's blocks claim.
class CabinetCheck
{
public:
    CabinetCheck(const QByteArray& bytes, const QString& path) : m_bytes(bytes), m_path(path) {}

    // The members' sizes in all, as the headers give them.
    quint64 declared() const { return m_declared; }
    const std::vector<CabinetEntry>& entries() const { return m_entries; }

    void run()
    {
        if (m_bytes.size() > kCabinetFileLimit)
            fail(0, QStringLiteral("a package of at most %1 bytes").arg(kCabinetFileLimit));
        if (m_bytes.size() < 36 || !m_bytes.startsWith("MSCF"))
            fail(0, QStringLiteral("a cabinet, which starts with \"MSCF\""));
        if (u32(8) != quint64(m_bytes.size()))
            fail(8, QStringLiteral("the cabinet's size, %1 bytes").arg(m_bytes.size()));
        const quint64 filesAt = u32(16);
        const int folders = u16(26);
        const int files = u16(28);
        const int flags = u16(30);
        if (flags & 3)
            fail(30, QStringLiteral("a cabinet in one file, not one of a set"));
        if (folders < 1 || files < 1 || folders > kCabinetMemberLimit ||
            files > kCabinetMemberLimit)
            fail(26, QStringLiteral("1 to %1 folders and files").arg(kCabinetMemberLimit));
        quint64 at = 36;
        int folderReserve = 0;
        if (flags & 4) {
            folderReserve = u8(38);
            m_dataReserve = u8(39);
            at = 40 + quint64(u16(36));
        }
        std::vector<quint64> folderSizes;
        for (int f = 0; f < folders; ++f, at += 8 + quint64(folderReserve)) {
            const int compression = u16(at + 6) & 0x0f;
            if (compression > 1)
                fail(at + 6, QStringLiteral("no compression or MSZIP"));
            folderSizes.push_back(walkBlocks(u32(at), u16(at + 4)));
        }
        at = filesAt;
        for (int i = 0; i < files; ++i) {
            const quint64 size = u32(at);
            const quint64 offset = u32(at + 4);
            const int folder = u16(at + 8);
            m_declared += size;
            if (size > quint64(kEggFileLimit))
                fail(at, QStringLiteral("a member of at most %1 bytes").arg(kEggFileLimit));
            if (folder >= folders || offset + size > folderSizes[size_t(folder)])
                fail(at, QStringLiteral("a member inside its folder's data"));
            at += 16;
            const qsizetype end = m_bytes.indexOf('\0', qsizetype(std::min<quint64>(at, 1u << 31)));
            if (end < 0 || quint64(end) - at > 255)
                fail(at, QStringLiteral("a member name of at most 255 bytes"));
            const QByteArray name = m_bytes.mid(qsizetype(at), end - qsizetype(at));
            // Attribute 0x80: the name is UTF-8; otherwise it is taken byte for byte.
            m_entries.push_back(
                {u16(at - 2) & 0x80 ? QString::fromUtf8(name) : QString::fromLatin1(name),
                 qint64(size)});
            at = quint64(end) + 1;
        }
    }

private:
    // The bytes the folder's data blocks unpack to; each block must lie inside the cabinet.
    quint64 walkBlocks(quint64 at, int blocks)
    {
        quint64 unpacked = 0;
        for (int b = 0; b < blocks; ++b) {
            const quint64 packed = u16(at + 4);
            const quint64 size = u16(at + 6);
            if (size > 32768)
                fail(at + 6, QStringLiteral("a data block of at most 32768 bytes"));
            at += 8 + quint64(m_dataReserve) + packed;
            if (at > quint64(m_bytes.size()))
                fail(at, QStringLiteral("a data block inside the cabinet"));
            unpacked += size;
            m_unpacked += size;
        }
        if (m_unpacked > quint64(kCabinetTotalLimit))
            fail(at, QStringLiteral("at most %1 bytes unpacked").arg(kCabinetTotalLimit));
        return unpacked;
    }

    quint64 u8(quint64 at) const { return byteAt(at); }
    quint64 u16(quint64 at) const { return byteAt(at) | byteAt(at + 1) << 8; }
    quint64 u32(quint64 at) const { return u16(at) | u16(at + 2) << 16; }
    quint64 byteAt(quint64 at) const
    {
        if (at >= quint64(m_bytes.size()))
            fail(at, QStringLiteral("more of the cabinet; it ends at byte %1").arg(m_bytes.size()));
        return uchar(m_bytes[qsizetype(at)]);
    }
    [[noreturn]] void fail(quint64 at, const QString& expected) const
    {
        throw FormatError(m_path, QStringLiteral("byte %1").arg(at + 1), expected);
    }

    const QByteArray& m_bytes;
    const QString& m_path;
    int m_dataReserve = 0;
    quint64 m_unpacked = 0;
    quint64 m_declared = 0;
    std::vector<CabinetEntry> m_entries;
};

} // namespace

std::vector<CabinetEntry> cabinetEntries(const QByteArray& bytes, const QString& path)
{
    CabinetCheck check(bytes, path);
    check.run();
    return check.entries();
}

std::vector<CabinetMember> readCabinet(const QByteArray& bytes, const QString& path)
{
    CabinetCheck check(bytes, path);
    check.run();
    const Gcab& api = gcab();
    if (!api.failure.isEmpty())
        throw Error(QStringLiteral("The package cannot be read: %1").arg(api.failure));
    const auto damaged = [&](const GErrorHolder& error) {
        return FormatError(path, QStringLiteral("its content"),
                           QStringLiteral("a cabinet libgcab can unpack (%1)").arg(error.text()));
    };
    GPtr<GInputStream> stream(
        api.g_memory_input_stream_new_from_data(bytes.constData(), bytes.size(), nullptr));
    GPtr<GCabCabinet> cabinet(api.gcab_cabinet_new());
    GErrorHolder loadError;
    if (!api.gcab_cabinet_load(cabinet.get(), stream.get(), nullptr, &loadError.error))
        throw damaged(loadError);
    // No folder: the members are unpacked into memory.
    GErrorHolder extractError;
    if (!api.gcab_cabinet_extract_simple(cabinet.get(), nullptr, nullptr, nullptr, nullptr,
                                         &extractError.error))
        throw damaged(extractError);

    std::vector<CabinetMember> members;
    GPtrArray* folders = api.gcab_cabinet_get_folders(cabinet.get());
    for (guint f = 0; folders && f < folders->len; ++f) {
        GSList* files = api.gcab_folder_get_files(static_cast<GCabFolder*>(folders->pdata[f]));
        for (GSList* item = files; item; item = item->next) {
            auto* file = static_cast<GCabFile*>(item->data);
            GBytes* content = api.gcab_file_get_bytes(file);
            gsize size = 0;
            const void* data = content ? api.g_bytes_get_data(content, &size) : nullptr;
            members.push_back({QString::fromUtf8(api.gcab_file_get_name(file)),
                               QByteArray(static_cast<const char*>(data), qsizetype(size))});
        }
        api.g_slist_free(files);
    }
    quint64 unpacked = 0;
    for (const CabinetMember& member : members)
        unpacked += quint64(member.bytes.size());
    if (unpacked != check.declared())
        throw FormatError(path, QStringLiteral("its content"),
                          QStringLiteral("members of %1 bytes in all, as its headers say, not %2")
                              .arg(check.declared())
                              .arg(unpacked));
    return members;
}

QByteArray makeCabinet(const std::vector<CabinetFile>& files)
{
    const Gcab& api = gcab();
    if (!api.failure.isEmpty())
        throw Error(QStringLiteral("The package cannot be made: %1").arg(api.failure));
    GPtr<GCabCabinet> cabinet(api.gcab_cabinet_new());
    // The folder is handed to the cabinet, which keeps its own reference.
    GPtr<GCabFolder> folder(api.gcab_folder_new(GCAB_COMPRESSION_MSZIP));
    for (const CabinetFile& file : files) {
        // libgcab reads the sources only while writing; check them now for a clear message.
        if (!QFileInfo(file.sourcePath).isFile())
            throw FileError(file.sourcePath, QStringLiteral("The file does not exist."));
        const QByteArray sourcePath = QFile::encodeName(file.sourcePath);
        const QByteArray name = file.name.toUtf8();
        GPtr<GFile> source(api.g_file_new_for_path(sourcePath.constData()));
        GPtr<GCabFile> entry(api.gcab_file_new_with_file(name.constData(), source.get()));
        // Cabinets store local DOS dates, which start in 1980.
        QDateTime local = file.date.toLocalTime();
        const QDateTime earliest(QDate(1980, 1, 1), QTime(0, 0));
        if (!local.isValid() || local < earliest)
            local = earliest;
        const QDate day = local.date();
        const QTime time = local.time();
        GDateTime* date = api.g_date_time_new_local(day.year(), day.month(), day.day(), time.hour(),
                                                    time.minute(), time.second());
        if (!date)
            throw Error(
                QStringLiteral("The date of %1 cannot be stored in a cabinet.").arg(file.name));
        api.gcab_file_set_date_time(entry.get(), date);
        api.g_date_time_unref(date);
        bool ascii = true;
        for (const char c : name)
            ascii = ascii && uchar(c) < 0x80;
        api.gcab_file_set_attributes(
            entry.get(), GCAB_FILE_ATTRIBUTE_ARCH | (ascii ? 0 : GCAB_FILE_ATTRIBUTE_NAME_IS_UTF));
        GErrorHolder error;
        if (!api.gcab_folder_add_file(folder.get(), entry.get(), FALSE, nullptr, &error.error))
            throw Error(QStringLiteral("%1 cannot be added to the package: %2")
                            .arg(file.name, error.text()));
    }
    GErrorHolder addError;
    if (!api.gcab_cabinet_add_folder(cabinet.get(), folder.get(), &addError.error))
        throw Error(QStringLiteral("The package cannot be made: %1").arg(addError.text()));

    // Written to memory: gcab_cabinet_write_simple closes its stream even when it fails, so a
    // file stream could not be cancelled cleanly.
    GPtr<GOutputStream> stream(api.g_memory_output_stream_new_resizable());
    GErrorHolder writeError;
    if (!api.gcab_cabinet_write_simple(cabinet.get(), stream.get(), nullptr, nullptr, nullptr,
                                       &writeError.error)) {
        // A source that vanished or could not be read ends up here.
        throw Error(QStringLiteral("The package cannot be made: %1").arg(writeError.text()));
    }
    auto* memory = reinterpret_cast<GMemoryOutputStream*>(stream.get());
    return QByteArray(static_cast<const char*>(api.g_memory_output_stream_get_data(memory)),
                      qsizetype(api.g_memory_output_stream_get_data_size(memory)));
}

} // namespace yw
