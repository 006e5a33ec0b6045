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
    F(g_memory_output_stream_get_data_size)
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
