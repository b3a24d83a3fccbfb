#include "server.h"

#include "conversions.h"
#include "files.h"
#include "languages.h"
#include "literal_finder.h"
#include "script_writer/credits.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstring>

namespace tagora::lsp {

using nlohmann::json;

namespace {

// The protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestFailed = -32803;
constexpr int kContentModified = -32801;

// window/showMessage types.
constexpr int kError = 1;
constexpr int kWarning = 2;
constexpr int kInfo = 3;

// How long a saved file must stay unchanged before it is read.
constexpr std::chrono::milliseconds kSettleTime{200};

constexpr const char* kCommands[] = {"tagora.literal", "tagora.unescape", "tagora.editAsHtml", "tagora.template",
                                     "tagora.script"};

std::string dumped(const json& value)
{
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

// Why a request cannot be answered: sent back as the response's error.
struct Server::Failure {
    int code;
    std::string message;
};

// A literal whose text is being edited as an HTML file: where it is in its
// document, and what is there now.
struct Server::LiteralEdit {
    std::string originUri;
    std::size_t begin = 0;
    std::string literal;                 // the literal's bytes in the document
    std::optional<std::string> pending;  // written back, not yet seen in a change
    Target target = Target::Php;
    bool lost = false;                   // an edit of the document changed it
    FileStamp saved;                     // of the HTML file, when last read
    FileStamp seen;                      // when last looked at, and since when
    std::chrono::steady_clock::time_point seenSince;
};

namespace {

std::uint64_t coordinate(const json& value)
{
    if (!value.is_number_unsigned() && !(value.is_number_integer() && value.get<std::int64_t>() >= 0))
        throw std::invalid_argument("a position's line and character are numbers from 0");
    return value.get<std::uint64_t>();
}

Range parseRange(const json& range)
{
    const json& start = range.at("start");
    const json& end = range.at("end");
    return {{coordinate(start.at("line")), coordinate(start.at("character"))},
            {coordinate(end.at("line")), coordinate(end.at("character"))}};
}

const std::string& stringAt(const json& object, const char* key)
{
    return object.at(key).get_ref<const std::string&>();
}

// The column of an offset in characters from 1, as the engine counts.
std::size_t characterColumn(std::string_view text, std::size_t lineStart, std::size_t offset)
{
    std::size_t column = 1;
    for (std::size_t at = lineStart; at < offset; ++at)
        column += (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
    return column;
}

}  // namespace

Server::Server(std::function<void(const std::string&)> send, std::string scratchFolder)
    : m_send(std::move(send)), m_scratchFolder(std::move(scratchFolder))
{
}

Server::~Server()
{
    if (m_scratchMade)
        removeFolder(m_scratchFolder);
}

void Server::handleFrame(const Frame& frame)
{
    switch (frame.kind) {
    case Frame::Kind::Message:
        handleMessage(frame.content);
        return;
    case Frame::Kind::BadHeader:
        respondError(nullptr, kParseError, "cannot read the message's header: " + frame.content);
        return;
    case Frame::Kind::TooLarge:
        respondError(nullptr, kInvalidRequest, "passed over " + frame.content);
        return;
    }
}

void Server::handleMessage(std::string_view message)
{
    json parsed = json::parse(message, nullptr, false);
    if (parsed.is_discarded()) {
        respondError(nullptr, kParseError, "the message is not JSON");
        return;
    }
    dispatch(parsed);
}

void Server::dispatch(const json& message)
{
    if (!message.is_object() || message.value("jsonrpc", json()) != "2.0") {
        respondError(nullptr, kInvalidRequest, "a message is a JSON-RPC 2.0 object");
        return;
    }
    const bool hasId = message.contains("id");
    const json id = hasId ? message["id"] : json();
    if (hasId && !id.is_string() && !id.is_number_integer() && !id.is_null()) {
        respondError(nullptr, kInvalidRequest, "an id is a number or a string");
        return;
    }
    if (!message.contains("method")) {
        if (hasId && (message.contains("result") || message.contains("error")))
            handleResponse(message);
        else
            respondError(id, kInvalidRequest, "a request has a method");
        return;
    }
    if (!message["method"].is_string()) {
        respondError(id, kInvalidRequest, "a method is a string");
        return;
    }
    const std::string& method = message["method"].get_ref<const std::string&>();
    const json params = message.value("params", json::object());
    if (hasId)
        handleRequest(id, method, params);
    else
        handleNotification(method, params);
}

void Server::handleRequest(const json& id, const std::string& method, const json& params)
{
    try {
        if (method == "initialize") {
            if (m_initialized)
                throw Failure{kInvalidRequest, "the server is initialized already"};
            respond(id, initialize(params));
            return;
        }
        if (!m_initialized)
            throw Failure{kServerNotInitialized, "the server is not initialized yet"};
        if (m_shutDown)
            throw Failure{kInvalidRequest, "the server is shut down: only exit is left"};
        if (method == "shutdown") {
            m_shutDown = true;
            respond(id, nullptr);
        } else if (method == "textDocument/codeAction") {
            respond(id, codeActions(params));
        } else if (method == "workspace/executeCommand") {
            respond(id, executeCommand(params));
        } else {
            throw Failure{kMethodNotFound, "no such method: " + method};
        }
    } catch (const Failure& failure) {
        respondError(id, failure.code, failure.message);
    } catch (const json::exception& error) {
        respondError(id, kInvalidParams, std::string("the parameters are not as the method has them: ") + error.what());
    } catch (const std::invalid_argument& error) {
        respondError(id, kInvalidParams, error.what());
    } catch (const std::exception& error) {
        respondError(id, kInternalError, error.what());
    }
}

void Server::handleNotification(const std::string& method, const json& params)
{
    if (method == "exit") {
        m_exitStatus = m_shutDown ? 0 : 1;
        return;
    }
    if (!m_initialized || m_shutDown)
        return;  // notifications before initialize are dropped
    try {
        if (method == "initialized")
            initialized();
        else if (method == "textDocument/didOpen")
            didOpen(params);
        else if (method == "textDocument/didChange")
            didChange(params);
        else if (method == "textDocument/didClose")
            didClose(params);
        else if (method == "textDocument/didSave")
            didSave(params);
        else if (method == "workspace/didChangeConfiguration")
            changeSettings(params.value("settings", json()));
    } catch (const Failure& failure) {
        showMessage(kError, failure.message);
    } catch (const std::exception& error) {
        showMessage(kError, "tagora-lsp could not take in " + method + ": " + error.what());
    }
}

void Server::handleResponse(const json& message)
{
    const json& id = message["id"];
    if (!id.is_number_integer())
        return;
    const auto found = m_pending.find(id.get<std::int64_t>());
    if (found == m_pending.end())
        return;
    const std::string purpose = found->second;
    m_pending.erase(found);
    const json result = message.value("result", json());
    if (purpose == "configuration" && result.is_array() && !result.empty())
        changeSettings(result[0]);
    if (purpose.starts_with("edit:") && (message.contains("error") || !result.value("applied", false)))
        showMessage(kWarning, "The editor did not apply: " + purpose.substr(5)
                                  + (result.contains("failureReason") ? " (" + dumped(result["failureReason"]) + ")" : ""));
}

json Server::initialize(const json& params)
{
    const json& capabilities = params.value("capabilities", json::object());
    const json general = capabilities.value("general", json::object());
    const json encodings = general.value("positionEncodings", capabilities.value("offsetEncoding", json::array()));
    if (encodings.is_array() && std::find(encodings.begin(), encodings.end(), "utf-8") != encodings.end())
        m_encoding = PositionEncoding::Utf8;
    const json window = capabilities.value("window", json::object());
    m_showDocument = window.value("showDocument", json::object()).value("support", false);
    const json workspace = capabilities.value("workspace", json::object());
    m_documentChanges = workspace.value("workspaceEdit", json::object()).value("documentChanges", false);
    m_pullsConfiguration = workspace.value("configuration", false);
    std::vector<std::string> problems;
    m_settings = updatedSettings(m_settings, params.value("initializationOptions", json()), problems);
    for (const std::string& problem : problems)
        showMessage(kWarning, "tagora-lsp settings: " + problem);
    m_initialized = true;
    const std::string encoding = m_encoding == PositionEncoding::Utf8 ? "utf-8" : "utf-16";
    json result = {
        {"capabilities",
         {{"positionEncoding", encoding},
          {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
          {"codeActionProvider", {{"codeActionKinds", {"refactor.rewrite", "refactor"}}}},
          {"executeCommandProvider", {{"commands", kCommands}}}}},
        {"serverInfo", {{"name", "tagora-lsp"}, {"version", std::string(credits::kVersion)}}},
    };
    if (capabilities.contains("offsetEncoding"))
        result["offsetEncoding"] = encoding;  // the older form some clients ask in
    return result;
}

void Server::initialized()
{
    if (m_pullsConfiguration)
        request("workspace/configuration", {{"items", {{{"section", "tagora"}}}}}, "configuration");
}

void Server::changeSettings(const json& value)
{
    std::vector<std::string> problems;
    m_settings = updatedSettings(m_settings, value, problems);
    for (const std::string& problem : problems)
        showMessage(kWarning, "tagora-lsp settings: " + problem);
}

void Server::didOpen(const json& params)
{
    const json& item = params.at("textDocument");
    const std::string& uri = stringAt(item, "uri");
    m_documents.insert_or_assign(uri, Document(item.at("text").get<std::string>(), item.at("version").get<std::int64_t>(),
                                               item.at("languageId").get<std::string>()));
    m_outOfStep.erase(uri);
}

void Server::didChange(const json& params)
{
    const json& identifier = params.at("textDocument");
    const std::string& uri = stringAt(identifier, "uri");
    Document& document = openDocument(uri);
    const std::int64_t version = identifier.at("version").get<std::int64_t>();
    if (version <= document.version()) {
        m_outOfStep[uri] = true;
        throw Failure{kInvalidParams, "tagora-lsp: a change to " + fileNameOfUri(uri) + " came with version "
                                          + std::to_string(version) + ", not after " + std::to_string(document.version())
                                          + "; reopen the file to use its actions again"};
    }
    for (const json& change : params.at("contentChanges")) {
        const std::string& text = stringAt(change, "text");
        if (!change.contains("range")) {
            document.replaceAll(text);
            followChange(uri, std::nullopt, text.size());
            continue;
        }
        const std::optional<Span> span = document.spanOf(parseRange(change["range"]), m_encoding);
        if (!span) {
            m_outOfStep[uri] = true;
            throw Failure{kInvalidParams, "tagora-lsp: a change to " + fileNameOfUri(uri)
                                              + " has a range outside the document; reopen the file to use its actions again"};
        }
        document.replace(*span, text);
        followChange(uri, span, text.size());
    }
    document.setVersion(version);
}

// Keeps each literal edited as HTML in step with its document: a change
// before it moves it; one that touches it must leave the literal, or the
// one last written back, where it was.
void Server::followChange(const std::string& uri, std::optional<Span> span, std::size_t insertedSize)
{
    const std::string_view text = m_documents.at(uri).text();
    for (auto& [path, edit] : m_literalEdits) {
        if (edit.originUri != uri || edit.lost)
            continue;
        if (span && span->end <= edit.begin) {
            edit.begin = edit.begin - (span->end - span->begin) + insertedSize;
            continue;
        }
        if (span && span->begin >= edit.begin + edit.literal.size() && !edit.pending)
            continue;
        if (edit.begin > text.size()) {
            edit.lost = true;
            continue;
        }
        if (edit.pending && text.substr(edit.begin, edit.pending->size()) == *edit.pending) {
            edit.literal = std::move(*edit.pending);
            edit.pending.reset();
        } else if (text.substr(edit.begin, edit.literal.size()) != edit.literal) {
            edit.lost = true;
        }
    }
}

void Server::didClose(const json& params)
{
    const std::string& uri = stringAt(params.at("textDocument"), "uri");
    m_documents.erase(uri);
    m_outOfStep.erase(uri);
}

// A save of a literal's HTML file writes the literal back: the file as it
// was saved, which may differ from the text the editor holds (a final line
// break some editors add as they write).
void Server::didSave(const json& params)
{
    const std::string& uri = stringAt(params.at("textDocument"), "uri");
    const std::optional<std::string> path = pathOfUri(uri);
    if (!path)
        return;
    const auto found = m_literalEdits.find(*path);
    if (found != m_literalEdits.end())
        readBack(*path, found->second);
}

void Server::readBack(const std::string& path, LiteralEdit& edit)
{
    edit.saved = edit.seen = stampOf(path);
    const std::optional<std::string> html = readWhole(path);
    if (!html)
        throw Failure{kRequestFailed, "tagora-lsp cannot read " + path + ": " + std::strerror(errno)};
    writeBack(edit, *html);
}

// An HTML file whose editor does not tell this server of its saves (it may
// not have this server for HTML) is written back when it is saved, as its
// time and size show.
void Server::checkFiles()
{
    for (auto& [path, edit] : m_literalEdits) {
        // A file is read once its time and size have stayed the same for a
        // while: an editor may write it in several steps.
        const FileStamp stamp = stampOf(path);
        const auto now = std::chrono::steady_clock::now();
        if (stamp != edit.seen) {
            edit.seen = stamp;
            edit.seenSince = now;
        }
        if (stamp == edit.saved || now - edit.seenSince < kSettleTime)
            continue;
        try {
            readBack(path, edit);
        } catch (const Failure& failure) {
            showMessage(kError, failure.message);
        }
    }
}

void Server::writeBack(LiteralEdit& edit, const std::string& html)
{
    const std::string where = fileNameOfUri(edit.originUri);
    const auto origin = m_documents.find(edit.originUri);
    if (origin == m_documents.end())
        throw Failure{kRequestFailed, "tagora-lsp: " + where + " is closed: the literal is not written back"};
    if (edit.lost || m_outOfStep.count(edit.originUri))
        throw Failure{kRequestFailed, "tagora-lsp: the literal was changed in " + where + " since it was opened as HTML: "
                                  "this file is not written back"};
    const Converted literal = literalOf(html, edit.target);
    if (!literal.text)
        throw Failure{kRequestFailed, "tagora-lsp: " + literal.error.message};
    if (*literal.text == edit.pending.value_or(edit.literal))
        return;
    if (edit.pending)
        throw Failure{kRequestFailed, "tagora-lsp: the last save has not reached " + where + " yet: save again"};
    const Document& document = origin->second;
    applyEdit("Write the literal back", edit.originUri, document, {edit.begin, edit.begin + edit.literal.size()},
              *literal.text);
    edit.pending = *literal.text;
}

Document& Server::openDocument(const std::string& uri)
{
    const auto found = m_documents.find(uri);
    if (found == m_documents.end())
        throw Failure{kInvalidParams, "tagora-lsp: " + uri + " is not open"};
    return found->second;
}

Span Server::spanIn(const Document& document, const json& range) const
{
    const std::optional<Span> span = document.spanOf(parseRange(range), m_encoding);
    if (!span)
        throw Failure{kInvalidParams, "the range is outside the document"};
    return *span;
}

json Server::rangeJson(const Document& document, Span span) const
{
    const Range range = document.rangeOf(span, m_encoding);
    return {{"start", {{"line", range.start.line}, {"character", range.start.character}}},
            {"end", {{"line", range.end.line}, {"character", range.end.character}}}};
}

json Server::codeActions(const json& params)
{
    const std::string& uri = stringAt(params.at("textDocument"), "uri");
    const Document& document = openDocument(uri);
    const Span selection = spanIn(document, params.at("range"));
    json actions = json::array();
    const std::optional<Language> language = languageOf(document.languageId());
    if (!language || m_outOfStep.count(uri))
        return actions;
    const json base = {{"uri", uri}, {"version", document.version()}, {"range", rangeJson(document, selection)}};
    if (language->isHtml) {
        if (m_settings.offers("script"))
            addScriptActions(actions, document, base);
    } else {
        addLiteralActions(actions, document, selection, base);
    }
    // Only the kinds the client asks for.
    const json context = params.value("context", json::object());
    if (context.contains("only") && context["only"].is_array()) {
        json wanted = json::array();
        for (const json& action : actions) {
            const std::string kind = action["kind"];
            for (const json& only : context["only"]) {
                if (only.is_string() && (kind == only || kind.starts_with(only.get<std::string>() + ".")))
                    wanted.push_back(action);
            }
        }
        return wanted;
    }
    return actions;
}

namespace {

json commandAction(const std::string& title, const std::string& kind, const std::string& command, const json& arguments)
{
    return {{"title", title},
            {"kind", kind},
            {"command", {{"title", title}, {"command", command}, {"arguments", json::array({arguments})}}}};
}

}  // namespace

void Server::addLiteralActions(json& actions, const Document& document, Span selection, const json& base)
{
    const Language language = *languageOf(document.languageId());
    const std::string_view text = document.text();
    const bool selected = selection.end > selection.begin;
    if (selected && m_settings.offers("literal")) {
        for (const Target target : language.targets) {
            json arguments = base;
            arguments["target"] = std::string(targetInfo(target).name);
            actions.push_back(commandAction("Escape the selection into " + std::string(literalName(target)),
                                            "refactor.rewrite", "tagora.literal", arguments));
        }
    }
    if (m_settings.offers("unescape") || m_settings.offers("editAsHtml")) {
        const std::vector<Span> candidates = selected ? std::vector<Span>{selection}
                                                      : literalCandidates(text, selection.begin, language.quotes);
        for (const Span candidate : candidates) {
            const std::string_view literal = text.substr(candidate.begin, candidate.end - candidate.begin);
            const auto reads = [&](Target target) { return textOfLiteral(literal, target).text.has_value(); };
            const auto target = std::find_if(language.targets.begin(), language.targets.end(), reads);
            if (target == language.targets.end())
                continue;
            json arguments = base;
            arguments["range"] = rangeJson(document, candidate);
            arguments["target"] = std::string(targetInfo(*target).name);
            if (m_settings.offers("unescape"))
                actions.push_back(commandAction("Unescape the string literal into its text", "refactor.rewrite",
                                                "tagora.unescape", arguments));
            if (m_settings.offers("editAsHtml"))
                actions.push_back(commandAction("Edit the string literal as HTML", "refactor", "tagora.editAsHtml",
                                                arguments));
            break;
        }
    }
    if (selected && m_settings.offers("template"))
        actions.push_back(commandAction("Turn the selected code into the HTML it prints", "refactor.rewrite",
                                        "tagora.template", base));
}

void Server::addScriptActions(json& actions, const Document& document, const json& base)
{
    const json& range = base["range"];
    const bool selected = range["start"] != range["end"];
    json arguments = base;
    if (!selected)
        arguments["range"] = rangeJson(document, {0, document.text().size()});
    for (const TargetInfo& info : targets()) {
        arguments["target"] = std::string(info.name);
        actions.push_back(commandAction("Convert " + std::string(selected ? "the selection" : "the page") + " to a "
                                            + std::string(info.title),
                                        "refactor.rewrite", "tagora.script", arguments));
    }
}

json Server::executeCommand(const json& params)
{
    const std::string& command = stringAt(params, "command");
    if (std::find(std::begin(kCommands), std::end(kCommands), command) == std::end(kCommands))
        throw Failure{kInvalidParams, "no such command: " + command};
    const json& arguments = params.at("arguments").at(0);
    const std::string& uri = stringAt(arguments, "uri");
    Document& document = openDocument(uri);
    if (m_outOfStep.count(uri))
        throw Failure{kContentModified, "tagora-lsp: " + fileNameOfUri(uri) + " is not in step with the editor: reopen it"};
    if (arguments.at("version").get<std::int64_t>() != document.version())
        throw Failure{kContentModified, "tagora-lsp: " + fileNameOfUri(uri)
                                            + " changed since the action was offered: ask for the actions again"};
    const Span span = spanIn(document, arguments.at("range"));
    try {
        return commandResult(command, uri, document, span, arguments);
    } catch (const Failure& failure) {
        if (failure.code == kRequestFailed)
            showMessage(kError, failure.message);
        throw;
    }
}

json Server::commandResult(const std::string& command, const std::string& uri, Document& document, Span span,
                           const json& arguments)
{
    const std::optional<Target> named =
        arguments.contains("target") ? targetNamed(stringAt(arguments, "target")) : std::nullopt;
    if (command != "tagora.template" && !named)
        throw Failure{kInvalidParams, "the command's target is none of this program's"};
    const Target target = named.value_or(Target::Php);
    if (command == "tagora.editAsHtml")
        return editAsHtml(uri, document, span, target);
    const std::string_view text = std::string_view(document.text()).substr(span.begin, span.end - span.begin);
    Converted made;
    if (command == "tagora.literal")
        made = literalOf(text, target);
    else if (command == "tagora.unescape")
        made = textOfLiteral(text, target);
    else if (command == "tagora.template")
        made = htmlOf(text, languageOf(document.languageId()).value_or(Language{}).templateFrom);
    else
        made = scriptOf(text, target, m_settings.escaping, m_settings.script);
    if (!made.text) {
        std::string place;
        if (made.error.line > 0) {
            const Position start = document.positionOf(span.begin, PositionEncoding::Utf8);
            const std::size_t lineStart = span.begin - static_cast<std::size_t>(start.character);
            const std::size_t column = made.error.line == 1
                                           ? characterColumn(document.text(), lineStart, span.begin) + made.error.column - 1
                                           : made.error.column;
            place = ":" + std::to_string(start.line + made.error.line) + ":" + std::to_string(column);
        }
        throw Failure{kRequestFailed, fileNameOfUri(uri) + place + ": " + made.error.message};
    }
    applyEdit(command, uri, document, span, *made.text);
    return nullptr;
}

json Server::editAsHtml(const std::string& uri, const Document& document, Span span, Target target)
{
    const std::string literal = document.text().substr(span.begin, span.end - span.begin);
    const Converted text = textOfLiteral(literal, target);
    if (!text.text)
        throw Failure{kRequestFailed, fileNameOfUri(uri) + ": " + text.error.message};
    if (!m_scratchMade) {
        const std::optional<std::string> folder = makeFolder(m_scratchFolder);
        if (!folder)
            throw Failure{kRequestFailed, "tagora-lsp cannot make a folder for the HTML: " + std::string(std::strerror(errno))};
        m_scratchFolder = *folder;
        m_scratchMade = true;
    }
    const std::string path = m_scratchFolder + "/literal-" + std::to_string(++m_filesWritten) + ".html";
    if (!writeWhole(path, *text.text))
        throw Failure{kRequestFailed, "tagora-lsp cannot write " + path + ": " + std::strerror(errno)};
    const FileStamp written = stampOf(path);
    m_literalEdits[path] = LiteralEdit{uri, span.begin, literal, std::nullopt, target, false, written, written,
                                       std::chrono::steady_clock::now()};
    const std::string htmlUri = uriOfPath(path);
    if (m_showDocument)
        request("window/showDocument", {{"uri", htmlUri}, {"takeFocus", true}}, "show");
    else
        showMessage(kInfo, "The literal's text is in " + path + ": open it, and each save writes it back as the literal");
    return {{"uri", htmlUri}};
}

void Server::applyEdit(const std::string& label, const std::string& uri, const Document& document, Span span,
                       const std::string& text)
{
    const json edit = {{"range", rangeJson(document, span)}, {"newText", text}};
    json workspaceEdit;
    if (m_documentChanges)
        workspaceEdit["documentChanges"] = {
            {{"textDocument", {{"uri", uri}, {"version", document.version()}}}, {"edits", {edit}}}};
    else
        workspaceEdit["changes"] = {{uri, {edit}}};
    request("workspace/applyEdit", {{"label", label}, {"edit", workspaceEdit}}, "edit:" + label);
}

void Server::request(const std::string& method, json params, std::string purpose)
{
    const std::int64_t id = m_nextId++;
    m_pending[id] = std::move(purpose);
    m_send(dumped({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}}));
}

void Server::respond(const json& id, json result)
{
    m_send(dumped({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void Server::respondError(const json& id, int code, const std::string& message)
{
    m_send(dumped({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void Server::notify(const std::string& method, json params)
{
    m_send(dumped({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

void Server::showMessage(int type, const std::string& message)
{
    notify("window/showMessage", {{"type", type}, {"message", message}});
}

}  // namespace tagora::lsp
