// The language server: the protocol's requests and notifications in,
// responses and the server's own requests out, one message at a time.
#pragma once

#include "document.h"
#include "message_reader.h"
#include "settings.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace tagora::lsp {

class Server {
public:
    // send: one whole JSON message, to be framed and written.
    // scratchFolder: where literals edited as HTML are written (made when
    // first needed).
    Server(std::function<void(const std::string&)> send, std::string scratchFolder);
    ~Server();

    void handleFrame(const Frame& frame);
    void handleMessage(std::string_view message);

    // Writes back the literals whose HTML file was saved by an editor that
    // does not tell this server (see didSave): call it now and then.
    void checkFiles();

    // After the exit notification: the status the process ends with.
    std::optional<int> exitStatus() const { return m_exitStatus; }

private:
    using json = nlohmann::json;
    struct Failure;
    struct LiteralEdit;

    void dispatch(const json& message);
    void handleRequest(const json& id, const std::string& method, const json& params);
    void handleNotification(const std::string& method, const json& params);
    void handleResponse(const json& message);
    json initialize(const json& params);
    void initialized();
    void didOpen(const json& params);
    void didChange(const json& params);
    void didClose(const json& params);
    void didSave(const json& params);
    json codeActions(const json& params);
    json executeCommand(const json& params);
    void changeSettings(const json& value);

    json literalAction(const Document& document, Span span, Target target, const json& arguments);
    void addLiteralActions(json& actions, const Document& document, Span selection, const json& base);
    void addScriptActions(json& actions, const Document& document, const json& base);
    json commandResult(const std::string& command, const std::string& uri, Document& document, Span span,
                       const json& arguments);
    json editAsHtml(const std::string& uri, const Document& document, Span span, Target target);
    void readBack(const std::string& path, LiteralEdit& edit);
    void writeBack(LiteralEdit& edit, const std::string& html);
    void followChange(const std::string& uri, std::optional<Span> span, std::size_t insertedSize);

    Document& openDocument(const std::string& uri);
    Span spanIn(const Document& document, const json& range) const;
    json rangeJson(const Document& document, Span span) const;
    void applyEdit(const std::string& label, const std::string& uri, const Document& document, Span span,
                   const std::string& text);
    void request(const std::string& method, json params, std::string purpose);
    void respond(const json& id, json result);
    void respondError(const json& id, int code, const std::string& message);
    void notify(const std::string& method, json params);
    void showMessage(int type, const std::string& message);

    std::function<void(const std::string&)> m_send;
    std::string m_scratchFolder;
    bool m_scratchMade = false;
    bool m_initialized = false;
    bool m_shutDown = false;
    std::optional<int> m_exitStatus;
    PositionEncoding m_encoding = PositionEncoding::Utf16;
    bool m_showDocument = false;
    bool m_documentChanges = false;
    bool m_pullsConfiguration = false;
    Settings m_settings;
    std::map<std::string, Document> m_documents;
    std::map<std::string, bool> m_outOfStep;  // documents whose change could not be applied
    std::map<std::string, LiteralEdit> m_literalEdits;  // by the HTML file's path
    std::map<std::int64_t, std::string> m_pending;      // our requests' purposes
    std::int64_t m_nextId = 1;
    std::size_t m_filesWritten = 0;
};

}  // namespace tagora::lsp
