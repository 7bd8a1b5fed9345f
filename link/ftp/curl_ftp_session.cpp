// The FTP session over libcurl: one easy handle per session, whose connection each step reuses.

#include "link/ftp/ftp_session.h"

#include <curl/curl.h>

#include <mutex>

namespace {

constexpr long kConnectTimeoutMs = 30000;
constexpr long kAcceptTimeoutMs = 30000;
constexpr long kResponseTimeoutSeconds = 60;

// What the operator reads when the other end went away in the middle: the FTP library's own words for it are those of
// the socket call that failed, which say nothing to an operator.
constexpr char kCutOffText[] = "The FTP connection was cut off before the transfer ended";

bool IsCutOff(CURLcode code)
{
    switch (code) {
    case CURLE_PARTIAL_FILE: // the data connection closed before the file's end
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return true;
    default:
        return false;
    }
}

void InitLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class CCurlFtpSession final : public IFtpSession {
public:
    CCurlFtpSession(CURL* curl, const std::atomic<bool>* abort) : curl_(curl), abort_(abort)
    {
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
        // Active mode on the control connection's own address, with PORT as every NE understands it.
        curl_easy_setopt(curl_, CURLOPT_FTPPORT, "-");
        curl_easy_setopt(curl_, CURLOPT_FTP_USE_EPRT, 0L);
        curl_easy_setopt(curl_, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
        curl_easy_setopt(curl_, CURLOPT_ACCEPTTIMEOUT_MS, kAcceptTimeoutMs);
        curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, kResponseTimeoutSeconds);
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &CCurlFtpSession::OnProgress);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(curl_, CURLOPT_READFUNCTION, &CCurlFtpSession::OnRead);
        curl_easy_setopt(curl_, CURLOPT_READDATA, this);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &CCurlFtpSession::OnWrite);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
    }
    ~CCurlFtpSession() override { curl_easy_cleanup(curl_); }
    CCurlFtpSession(const CCurlFtpSession&) = delete;
    CCurlFtpSession& operator=(const CCurlFtpSession&) = delete;

    FtpResult Connect(const FtpEndpoint& endpoint) override
    {
        base_ = "ftp://" + endpoint.host + ":" + std::to_string(endpoint.port) + "/";
        directory_.clear();
        curl_easy_setopt(curl_, CURLOPT_USERNAME, endpoint.user.c_str());
        curl_easy_setopt(curl_, CURLOPT_PASSWORD, endpoint.password.c_str());
        return Probe(base_, FtpStep::kConnect);
    }

    FtpResult ChangeDirectory(const std::string& directory) override
    {
        if (directory.empty()) {
            directory_.clear();
            return {};
        }
        const std::string escaped = Escape(directory) + "/";
        FtpResult result = Probe(base_ + escaped, FtpStep::kDirectory);
        if (result.Ok())
            directory_ = escaped;
        return result;
    }

    FtpResult Store(const std::string& name, const FtpSource& source) override
    {
        source_ = &source;
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(-1));
        FtpResult result = Perform(base_ + directory_ + Escape(name), FtpStep::kTransfer);
        source_ = nullptr;
        return result;
    }

    FtpResult Retrieve(const std::string& name, const FtpSink& sink) override
    {
        sink_ = &sink;
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 0L);
        FtpResult result = Perform(base_ + directory_ + Escape(name), FtpStep::kTransfer);
        sink_ = nullptr;
        return result;
    }

private:
    // Runs the commands of a URL without a transfer: the login, or a change of directory.
    FtpResult Probe(const std::string& url, FtpStep step)
    {
        curl_easy_setopt(curl_, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
        return Perform(url, step);
    }

    FtpResult Perform(const std::string& url, FtpStep step)
    {
        error_[0] = '\0';
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        const CURLcode code = curl_easy_perform(curl_);
        return Classify(code, step);
    }

    FtpResult Classify(CURLcode code, FtpStep step) const
    {
        if (code == CURLE_OK)
            return {};
        // Once a data connection was opened the error buffer holds a notice of the library's from then, whatever
        // failed later: a transfer's failure is said by its code.
        std::string text = error_[0] != '\0' && step != FtpStep::kTransfer ? std::string(error_)
                                                                           : std::string(curl_easy_strerror(code));
        if (IsCutOff(code))
            text = kCutOffText;
        if (abort_ != nullptr && abort_->load())
            return {FtpStep::kAborted, text};
        switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_LOGIN_DENIED:
            return {FtpStep::kConnect, text};
        case CURLE_REMOTE_ACCESS_DENIED: // CWD refused
            return {step == FtpStep::kConnect ? FtpStep::kConnect : FtpStep::kDirectory, text};
        case CURLE_UPLOAD_FAILED:         // STOR refused
        case CURLE_REMOTE_FILE_NOT_FOUND: // RETR of a missing file
        case CURLE_FTP_COULDNT_RETR_FILE: // RETR refused otherwise
            return {FtpStep::kOpenFile, text};
        default:
            return {step, text};
        }
    }

    static std::string Escape(const std::string& name)
    {
        char* escaped = curl_easy_escape(nullptr, name.c_str(), static_cast<int>(name.size()));
        std::string text = escaped != nullptr ? escaped : "";
        curl_free(escaped);
        return text;
    }

    static size_t OnRead(char* buffer, size_t size, size_t count, void* data)
    {
        auto* self = static_cast<CCurlFtpSession*>(data);
        if (self->source_ == nullptr)
            return CURL_READFUNC_ABORT;
        const long given = (*self->source_)(reinterpret_cast<uint8_t*>(buffer), size * count);
        return given < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(given);
    }

    static size_t OnWrite(char* buffer, size_t size, size_t count, void* data)
    {
        auto* self = static_cast<CCurlFtpSession*>(data);
        const size_t bytes = size * count;
        if (self->sink_ == nullptr || !(*self->sink_)(reinterpret_cast<const uint8_t*>(buffer), bytes))
            return 0; // less than given: the transfer stops
        return bytes;
    }

    static int OnProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        const auto* self = static_cast<CCurlFtpSession*>(data);
        return self->abort_ != nullptr && self->abort_->load() ? 1 : 0;
    }

    CURL* curl_;
    const std::atomic<bool>* abort_;
    std::string base_;      // "ftp://host:port/"
    std::string directory_; // the escaped directory and its "/", or empty
    const FtpSource* source_ = nullptr;
    const FtpSink* sink_ = nullptr;
    char error_[CURL_ERROR_SIZE] = {};
};

std::atomic<FtpSessionFactory> g_factory{nullptr};

} // namespace

FtpSessionFactory SetFtpSessionFactory(FtpSessionFactory factory)
{
    return g_factory.exchange(factory);
}

std::unique_ptr<IFtpSession> OpenFtpSession(const std::atomic<bool>* abort)
{
    if (const FtpSessionFactory factory = g_factory.load())
        return factory(abort);
    InitLibraryOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr)
        return nullptr;
    return std::make_unique<CCurlFtpSession>(curl, abort);
}
