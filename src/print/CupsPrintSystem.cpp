#include "print/CupsPrintSystem.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <memory>
#include <optional>
#include <utility>

#include "platform/PrinterService.h"

namespace CupsPrintSystem {

// The print system's library is loaded when printing first needs it, not when
// the program starts: it brings some twenty libraries of its own (TLS, Kerberos,
// service discovery) that a start without printing does not need.
namespace {

void* cupsLibrary() {
    static void* const handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_GLOBAL);
    return handle;
}

template <typename Function>
Function* cupsSymbol(const char* name) {
    void* library = cupsLibrary();
    if (!library)
        throw PrintError("The print system's library (libcups.so.2) cannot be loaded.");
    void* symbol = dlsym(library, name);
    if (!symbol)
        throw PrintError(std::string("The print system's library lacks ") + name + ".");
    return reinterpret_cast<Function*>(symbol);
}

}  // namespace

// Each of these calls the library function of the same name through the loaded
// library; the calls below are qualified so that argument-dependent lookup cannot
// pick the linked-in declaration instead.
namespace api {
#define QUORVANTA_CUPS_CALL(name)                                            \
    template <typename... Args>                                              \
    auto name(Args... args) {                                                \
        static auto* const function = cupsSymbol<decltype(::name)>(#name);   \
        return function(args...);                                            \
    }
QUORVANTA_CUPS_CALL(cupsAddOption)
QUORVANTA_CUPS_CALL(cupsCancelJob2)
QUORVANTA_CUPS_CALL(cupsDoRequest)
QUORVANTA_CUPS_CALL(cupsFreeDests)
QUORVANTA_CUPS_CALL(cupsFreeOptions)
QUORVANTA_CUPS_CALL(cupsGetDests2)
QUORVANTA_CUPS_CALL(cupsGetNamedDest)
QUORVANTA_CUPS_CALL(cupsGetOption)
QUORVANTA_CUPS_CALL(cupsLastErrorString)
QUORVANTA_CUPS_CALL(cupsPrintFile2)
QUORVANTA_CUPS_CALL(cupsUser)
QUORVANTA_CUPS_CALL(httpAssembleURIf)
QUORVANTA_CUPS_CALL(ippAddString)
QUORVANTA_CUPS_CALL(ippAddStrings)
QUORVANTA_CUPS_CALL(ippDelete)
QUORVANTA_CUPS_CALL(ippFindAttribute)
QUORVANTA_CUPS_CALL(ippGetInteger)
QUORVANTA_CUPS_CALL(ippGetString)
QUORVANTA_CUPS_CALL(ippNewRequest)
#undef QUORVANTA_CUPS_CALL
}  // namespace api

#define cupsAddOption api::cupsAddOption
#define cupsCancelJob2 api::cupsCancelJob2
#define cupsDoRequest api::cupsDoRequest
#define cupsFreeDests api::cupsFreeDests
#define cupsFreeOptions api::cupsFreeOptions
#define cupsGetDests2 api::cupsGetDests2
#define cupsGetNamedDest api::cupsGetNamedDest
#define cupsGetOption api::cupsGetOption
#define cupsLastErrorString api::cupsLastErrorString
#define cupsPrintFile2 api::cupsPrintFile2
#define cupsUser api::cupsUser
#define httpAssembleURIf api::httpAssembleURIf
#define ippAddString api::ippAddString
#define ippAddStrings api::ippAddStrings
#define ippDelete api::ippDelete
#define ippFindAttribute api::ippFindAttribute
#define ippGetInteger api::ippGetInteger
#define ippGetString api::ippGetString
#define ippNewRequest api::ippNewRequest

namespace {

QString deviceName(const cups_dest_t& dest) {
    QString name = QString::fromLocal8Bit(dest.name);
    if (dest.instance) name += QLatin1Char('/') + QString::fromLocal8Bit(dest.instance);
    return name;
}

// "queue/instance" as the two parts the print system takes.
std::pair<QByteArray, QByteArray> splitName(const QString& printerName) {
    const qsizetype slash = printerName.indexOf(QLatin1Char('/'));
    if (slash < 0) return {printerName.toLocal8Bit(), {}};
    return {printerName.left(slash).toLocal8Bit(), printerName.mid(slash + 1).toLocal8Bit()};
}

struct DestDeleter {
    void operator()(cups_dest_t* dest) const noexcept { cupsFreeDests(1, dest); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestDeleter>;

DestPtr namedDest(const QString& printerName) {
    const auto [queue, instance] = splitName(printerName);
    return DestPtr(cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                    instance.isEmpty() ? nullptr : instance.constData()));
}

QString option(const cups_dest_t& dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QString lastError() { return QString::fromUtf8(cupsLastErrorString()); }

[[noreturn]] void fail(const QString& reason) { throw PrintError(reason.toStdString()); }

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

struct IppDeleter {
    void operator()(ipp_t* ipp) const noexcept { ippDelete(ipp); }
};

struct JobStatus {
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    QString message;
};

std::optional<JobStatus> jobStatus(int jobId) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/jobs/%d", jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    static const char* const kAttributes[] = {"job-state", "job-state-message",
                                              "job-printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kAttributes)), nullptr, kAttributes);
    const std::unique_ptr<ipp_t, IppDeleter> response(
        cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));  // frees the request
    if (!response) return std::nullopt;
    ipp_attribute_t* state = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM);
    if (!state) return std::nullopt;
    JobStatus status;
    status.state = static_cast<ipp_jstate_t>(ippGetInteger(state, 0));
    for (const char* name : {"job-printer-state-message", "job-state-message"}) {
        ipp_attribute_t* text = ippFindAttribute(response.get(), name, IPP_TAG_TEXT);
        if (text && ippGetString(text, 0, nullptr) && *ippGetString(text, 0, nullptr)) {
            status.message = QString::fromUtf8(ippGetString(text, 0, nullptr));
            break;
        }
    }
    return status;
}

}  // namespace

QStringList printerNames() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) names << deviceName(dests[i]);
    cupsFreeDests(count, dests);
    return names;
}

QString defaultPrinterName() {
    const DestPtr dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    return dest ? deviceName(*dest) : QString();
}

void checkReady(const QString& printerName) {
    const DestPtr dest = namedDest(printerName);
    if (!dest)
        fail(QStringLiteral("The printer ") + quoted(printerName) +
             QStringLiteral(" cannot be used: ") + lastError());
    // printer-state 5 is "stopped".
    if (option(*dest, "printer-state") == QStringLiteral("5")) {
        QString reason = QStringLiteral("The printer ") + quoted(printerName) +
                         QStringLiteral(" is stopped.");
        const QString message = option(*dest, "printer-state-message");
        if (!message.isEmpty()) reason += QLatin1Char(' ') + message;
        fail(reason);
    }
    if (option(*dest, "printer-is-accepting-jobs") == QStringLiteral("false"))
        fail(QStringLiteral("The printer ") + quoted(printerName) +
             QStringLiteral(" is not accepting jobs."));
}

SentJob printPdf(const QString& printerName, const QString& pdfPath, const QString& title) {
    const DestPtr dest = namedDest(printerName);
    if (!dest)
        fail(QStringLiteral("The printer ") + quoted(printerName) +
             QStringLiteral(" cannot be used: ") + lastError());

    // The page is laid out exactly: no scaling to the paper's printable area.
    int optionCount = 0;
    cups_option_t* options = nullptr;
    optionCount = cupsAddOption("media", "iso_a4_210x297mm", optionCount, &options);
    optionCount = cupsAddOption("print-scaling", "none", optionCount, &options);
    optionCount = cupsAddOption("fit-to-page", "false", optionCount, &options);
    // The printer's own saved options (an instance's, lpoptions) as lp would send them.
    for (int i = 0; i < dest->num_options; ++i) {
        const cups_option_t& o = dest->options[i];
        if (!cupsGetOption(o.name, optionCount, options))
            optionCount = cupsAddOption(o.name, o.value, optionCount, &options);
    }
    const int jobId = cupsPrintFile2(CUPS_HTTP_DEFAULT, dest->name, pdfPath.toLocal8Bit().constData(),
                                     title.toUtf8().constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (jobId <= 0)
        fail(QStringLiteral("The print system refused the job: ") + lastError());

    // A job that the print system stops or drops at once is not printed; a queue
    // that was stopped meanwhile would hold it, so it is withdrawn.
    SentJob sent{jobId, false};
    if (const auto status = jobStatus(jobId)) {
        sent.completed = status->state == IPP_JSTATE_COMPLETED;
        if (status->state == IPP_JSTATE_CANCELED || status->state == IPP_JSTATE_ABORTED) {
            QString reason = QStringLiteral("The print system cancelled the job.");
            if (!status->message.isEmpty()) reason += QLatin1Char(' ') + status->message;
            fail(reason);
        }
        const DestPtr now = namedDest(printerName);
        const bool printerStopped = now && option(*now, "printer-state") == QStringLiteral("5");
        if (status->state == IPP_JSTATE_STOPPED ||
            (printerStopped && status->state != IPP_JSTATE_COMPLETED)) {
            cupsCancelJob2(CUPS_HTTP_DEFAULT, dest->name, jobId, 0);
            fail(QStringLiteral("The printer ") + quoted(printerName) +
                 QStringLiteral(" is stopped; the job was withdrawn."));
        }
    }
    return sent;
}

}  // namespace CupsPrintSystem
