#pragma once
// The render service's wire format. Every message is a frame: a 4-byte
// big-endian length, then that many bytes of body. A body is a sequence of
// fields, each again a 4-byte big-endian length and its bytes, so paths may
// hold any byte but NUL. A request's first field is its verb; a reply's
// first field is its code and the second a message.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace office::render {

// Two paths and a verb fit easily; anything bigger is not ours.
inline constexpr std::size_t kMaxMessageBytes = 64 * 1024;

enum class Verb { Render, Status, Stop };

struct Request {
    Verb verb = Verb::Status;
    std::string document;  // Render: absolute path of the document
    std::string pdf;       // Render: absolute path of the PDF to write
};

enum class ReplyCode {
    Done,
    Failed,       // the request was refused or the export failed
    CannotLoad,   // LibreOfficeKit could not load the document
    Unavailable,  // LibreOfficeKit could not be loaded at all
};

struct Reply {
    ReplyCode code = ReplyCode::Failed;
    std::string message;
};

std::string EncodeRequest(const Request& request);
// The request, or why the body is not one.
std::variant<Request, std::string> DecodeRequest(std::string_view body);

std::string EncodeReply(const Reply& reply);
std::optional<Reply> DecodeReply(std::string_view body);

// The length prefix and the body.
std::string Frame(std::string_view body);

enum class ReadResult { Complete, Closed, TooLarge, TimedOut, Failed };

// Reads one frame from a socket, waiting at most until `deadline`.
ReadResult ReadFrame(int fd, std::string& body, std::chrono::steady_clock::time_point deadline);

// Writes everything; false when the peer has gone.
bool WriteAll(int fd, std::string_view data);

}  // namespace office::render
