#include "platform/cabinet.h"

#include "platform/errors.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

// GLib names a struct member `signals`, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <libgcab.h>
#pragma pop_macro("signals")

namespace yw {

namespace {

struct GObjectUnref
{
    void operator()(gpointer object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorHolder
{
    GError* error = nullptr;
    ~GErrorHolder()
    {
        if (error)
            g_error_free(error);
    }
    QString text() const
    {
        return error ? QString::fromUtf8(error->message) : QStringLiteral("unknown error");
    }
};

} // namespace

QByteArray makeCabinet(const std::vector<CabinetFile>& files)
{
    GPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    // The folder is handed to the cabinet, which keeps its own reference.
    GPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
    for (const CabinetFile& file : files) {
        // libgcab reads the sources only while writing; check them now for a clear message.
        if (!QFileInfo(file.sourcePath).isFile())
            throw FileError(file.sourcePath, QStringLiteral("The file does not exist."));
        const QByteArray sourcePath = QFile::encodeName(file.sourcePath);
        const QByteArray name = file.name.toUtf8();
        GPtr<GFile> source(g_file_new_for_path(sourcePath.constData()));
        GPtr<GCabFile> entry(gcab_file_new_with_file(name.constData(), source.get()));
        // Cabinets store local DOS dates, which start in 1980.
        QDateTime local = file.date.toLocalTime();
        const QDateTime earliest(QDate(1980, 1, 1), QTime(0, 0));
        if (!local.isValid() || local < earliest)
            local = earliest;
        const QDate day = local.date();
        const QTime time = local.time();
        GDateTime* date = g_date_time_new_local(day.year(), day.month(), day.day(), time.hour(),
                                                time.minute(), time.second());
        if (!date)
            throw Error(
                QStringLiteral("The date of %1 cannot be stored in a cabinet.").arg(file.name));
        gcab_file_set_date_time(entry.get(), date);
        g_date_time_unref(date);
        bool ascii = true;
        for (const char c : name)
            ascii = ascii && uchar(c) < 0x80;
        gcab_file_set_attributes(entry.get(), GCAB_FILE_ATTRIBUTE_ARCH |
                                                  (ascii ? 0 : GCAB_FILE_ATTRIBUTE_NAME_IS_UTF));
        GErrorHolder error;
        if (!gcab_folder_add_file(folder.get(), entry.get(), FALSE, nullptr, &error.error))
            throw Error(QStringLiteral("%1 cannot be added to the package: %2")
                            .arg(file.name, error.text()));
    }
    GErrorHolder addError;
    if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &addError.error))
        throw Error(QStringLiteral("The package cannot be made: %1").arg(addError.text()));

    // Written to memory: gcab_cabinet_write_simple closes its stream even when it fails, so a
    // file stream could not be cancelled cleanly.
    GPtr<GOutputStream> stream(g_memory_output_stream_new_resizable());
    GErrorHolder writeError;
    if (!gcab_cabinet_write_simple(cabinet.get(), stream.get(), nullptr, nullptr, nullptr,
                                   &writeError.error)) {
        // A source that vanished or could not be read ends up here.
        throw Error(QStringLiteral("The package cannot be made: %1").arg(writeError.text()));
    }
    auto* memory = G_MEMORY_OUTPUT_STREAM(stream.get());
    return QByteArray(static_cast<const char*>(g_memory_output_stream_get_data(memory)),
                      qsizetype(g_memory_output_stream_get_data_size(memory)));
}

} // namespace yw
