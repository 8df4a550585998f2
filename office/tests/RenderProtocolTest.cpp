// The render service's wire format: what a client sends comes back intact,
// and anything else is refused with a reason instead of being guessed at.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <variant>

#include "render/RenderProtocol.h"

namespace office::render {
namespace {

std::string Field(std::string_view text) {
    return Frame(text);  // a field is framed the same way
}

TEST(RenderProtocolTest, RequestsAndRepliesSurviveTheRoundTrip) {
    const Request render{Verb::Render, "/tmp/a \"b\"\n\xC3\xA9.doc", "/tmp/out/document.pdf"};
    for (const Request& request :
         {render, Request{Verb::Status, {}, {}}, Request{Verb::Stop, {}, {}}}) {
        auto decoded = DecodeRequest(EncodeRequest(request));
        ASSERT_TRUE(std::holds_alternative<Request>(decoded)) << std::get<std::string>(decoded);
        EXPECT_EQ(std::get<Request>(decoded).verb, request.verb);
        EXPECT_EQ(std::get<Request>(decoded).document, request.document);
        EXPECT_EQ(std::get<Request>(decoded).pdf, request.pdf);
    }
    for (const ReplyCode code :
         {ReplyCode::Done, ReplyCode::Failed, ReplyCode::CannotLoad, ReplyCode::Unavailable}) {
        const std::optional<Reply> reply = DecodeReply(EncodeReply({code, "why"}));
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->code, code);
        EXPECT_EQ(reply->message, "why");
    }
}

TEST(RenderProtocolTest, MalformedRequestsAreRefused) {
    const std::string render = Field("render");
    const std::string withNul = std::string("/tmp/a") + '\0' + ".doc";
    const std::pair<const char*, std::string> cases[] = {
        {"empty body", ""},
        {"length past the end", std::string("\0\0\0\x09rend", 8)},
        {"truncated length", std::string("\0\0", 2)},
        {"unknown verb", Field("print")},
        {"render without paths", render},
        {"render with one path", render + Field("/tmp/a.doc")},
        {"relative document", render + Field("a.doc") + Field("/tmp/a.pdf")},
        {"empty pdf path", render + Field("/tmp/a.doc") + Field("")},
        {"NUL inside a path", render + Field(withNul) + Field("/tmp/a.pdf")},
        {"extra field", render + Field("/tmp/a.doc") + Field("/tmp/a.pdf") + Field("x")},
        {"status with an argument", Field("status") + Field("/tmp")},
    };
    for (const auto& [name, body] : cases) {
        EXPECT_TRUE(std::holds_alternative<std::string>(DecodeRequest(body))) << name;
    }
    EXPECT_FALSE(DecodeReply(Field("done")));
    EXPECT_FALSE(DecodeReply(Field("maybe") + Field("x")));
}

class SocketPair : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0); }
    void TearDown() override {
        for (int end : ends) {
            if (end >= 0) {
                ::close(end);
            }
        }
    }
    ReadResult Read(std::string& body) {
        return ReadFrame(ends[1], body,
                         std::chrono::steady_clock::now() + std::chrono::milliseconds(200));
    }
    int ends[2] = {-1, -1};
};

TEST_F(SocketPair, FramesAreReadWholeAndOversizedOnesRefusedUnread) {
    const std::string body(kMaxMessageBytes, 'x');
    ASSERT_TRUE(WriteAll(ends[0], Frame(body)));
    std::string got;
    ASSERT_EQ(Read(got), ReadResult::Complete);
    EXPECT_EQ(got, body);

    // A length beyond the limit is refused before any memory is taken for it.
    ASSERT_TRUE(WriteAll(ends[0], std::string("\x7F\xFF\xFF\xFF", 4)));
    EXPECT_EQ(Read(got), ReadResult::TooLarge);
}

TEST_F(SocketPair, SilentOrVanishingPeersEndTheRead) {
    std::string got;
    ASSERT_TRUE(WriteAll(ends[0], Frame("abc").substr(0, 5)));
    EXPECT_EQ(Read(got), ReadResult::TimedOut);
    ::close(ends[0]);
    ends[0] = -1;
    EXPECT_EQ(Read(got), ReadResult::Closed);
}

}  // namespace
}  // namespace office::render
