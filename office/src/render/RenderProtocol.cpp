#include "RenderProtocol.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <vector>

namespace office::render {

namespace {

constexpr std::array<std::pair<Verb, std::string_view>, 3> kVerbs{{
    {Verb::Render, "render"},
    {Verb::Status, "status"},
    {Verb::Stop, "stop"},
}};

constexpr std::array<std::pair<ReplyCode, std::string_view>, 4> kCodes{{
    {ReplyCode::Done, "done"},
    {ReplyCode::Failed, "failed"},
    {ReplyCode::CannotLoad, "cannot-load"},
    {ReplyCode::Unavailable, "unavailable"},
}};

void AppendLength(std::string& out, std::size_t length) {
    const auto value = static_cast<std::uint32_t>(length);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

std::uint32_t LengthAt(std::string_view bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    return value;
}

void AppendField(std::string& out, std::string_view field) {
    AppendLength(out, field.size());
    out += field;
}

// The fields of a body, or nothing when a length runs past its end.
std::optional<std::vector<std::string_view>> SplitFields(std::string_view body) {
    std::vector<std::string_view> fields;
    while (!body.empty()) {
        if (body.size() < 4) {
            return std::nullopt;
        }
        const std::uint32_t length = LengthAt(body);
        body.remove_prefix(4);
        if (length > body.size()) {
            return std::nullopt;
        }
        fields.push_back(body.substr(0, length));
        body.remove_prefix(length);
    }
    return fields;
}

bool IsUsablePath(std::string_view path) {
    return !path.empty() && path.front() == '/' && path.find('\0') == std::string_view::npos;
}

// Reads exactly `size` bytes unless the peer closes, the deadline passes or
// the socket fails.
ReadResult ReadExactly(int fd, char* buffer, std::size_t size,
                       std::chrono::steady_clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return ReadResult::TimedOut;
        }
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, 60000)));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadResult::Failed;
        }
        if (ready == 0) {
            continue;
        }
        const ssize_t got = ::recv(fd, buffer + done, size - done, 0);
        if (got == 0) {
            return ReadResult::Closed;
        }
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return errno == ECONNRESET ? ReadResult::Closed : ReadResult::Failed;
        }
        done += static_cast<std::size_t>(got);
    }
    return ReadResult::Complete;
}

}  // namespace

std::string EncodeRequest(const Request& request) {
    std::string body;
    for (const auto& [verb, name] : kVerbs) {
        if (verb == request.verb) {
            AppendField(body, name);
        }
    }
    if (request.verb == Verb::Render) {
        AppendField(body, request.document);
        AppendField(body, request.pdf);
    }
    return body;
}

std::variant<Request, std::string> DecodeRequest(std::string_view body) {
    const std::optional<std::vector<std::string_view>> fields = SplitFields(body);
    if (!fields || fields->empty()) {
        return std::string("malformed request");
    }
    Request request;
    bool known = false;
    for (const auto& [verb, name] : kVerbs) {
        if (name == fields->front()) {
            request.verb = verb;
            known = true;
        }
    }
    if (!known) {
        return "unknown request \"" + std::string(fields->front().substr(0, 32)) + "\"";
    }
    const std::size_t expected = request.verb == Verb::Render ? 3 : 1;
    if (fields->size() != expected) {
        return std::string("malformed request: wrong number of fields");
    }
    if (request.verb == Verb::Render) {
        if (!IsUsablePath((*fields)[1]) || !IsUsablePath((*fields)[2])) {
            return std::string("malformed request: the paths must be absolute");
        }
        request.document = (*fields)[1];
        request.pdf = (*fields)[2];
    }
    return request;
}

std::string EncodeReply(const Reply& reply) {
    std::string body;
    for (const auto& [code, name] : kCodes) {
        if (code == reply.code) {
            AppendField(body, name);
        }
    }
    AppendField(body, reply.message);
    return body;
}

std::optional<Reply> DecodeReply(std::string_view body) {
    const std::optional<std::vector<std::string_view>> fields = SplitFields(body);
    if (!fields || fields->size() != 2) {
        return std::nullopt;
    }
    for (const auto& [code, name] : kCodes) {
        if (name == fields->front()) {
            return Reply{code, std::string((*fields)[1])};
        }
    }
    return std::nullopt;
}

std::string Frame(std::string_view body) {
    std::string frame;
    AppendLength(frame, body.size());
    frame += body;
    return frame;
}

ReadResult ReadFrame(int fd, std::string& body, std::chrono::steady_clock::time_point deadline) {
    char prefix[4];
    const ReadResult head = ReadExactly(fd, prefix, sizeof prefix, deadline);
    if (head != ReadResult::Complete) {
        return head;
    }
    const std::uint32_t length = LengthAt(std::string_view(prefix, sizeof prefix));
    if (length > kMaxMessageBytes) {
        return ReadResult::TooLarge;
    }
    body.assign(length, '\0');
    return ReadExactly(fd, body.data(), length, deadline);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t put = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

}  // namespace office::render
