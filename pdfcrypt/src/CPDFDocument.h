#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "CPDFSecurity.h"
#include "OutputSink.h"
#include "Refusal.h"
#include "XrefEntry.h"

namespace pdfcrypt {

// One PDF file during one call of the engine: the shallow reader (object texts found through
// classic cross-reference tables), the in-place encryption of those texts and the writer of the
// complete encrypted file. The input is held in memory whole, so every read is bounds-checked
// against it and the file on disk is never open while the output is written; object texts are
// runs of that buffer and are encrypted in place.
class CPDFDocument {
  public:
    // Files beyond 32-bit positions are refused.
    static constexpr std::int64_t kMaxInputSize = 0x7FFFFFFF;
    // The format's own limit on indirect objects.
    static constexpr std::int64_t kMaxObjects = 8388607;

    CPDFDocument() = default;
    CPDFDocument(const CPDFDocument&) = delete;
    CPDFDocument& operator=(const CPDFDocument&) = delete;

    // A document is opened once; a second call fails.
    bool Open(const std::string& path);
    // The same from bytes already in memory; the path is only kept for reference.
    bool OpenBytes(std::string bytes, std::string path = {});

    // Reader primitives, over the input bytes and a current position like a file's.
    std::string ReadObjectText(std::int64_t position);
    // Where ReadObjectText's bytes lie: a run of the input, then "\nendobj" for a stream object.
    struct TextLocation {
        std::size_t begin = 0;
        std::size_t length = 0;
        bool endobjAppended = false;
    };
    TextLocation LocateObjectText(std::int64_t position);
    static std::optional<std::size_t> FindKey(std::string_view text, std::string_view key);
    std::size_t ReadLine(std::string& line, std::size_t maximum);
    // False for a negative position; a position past the end reads as end of file.
    bool Seek(std::int64_t position);

    // Writer steps.
    void PrepareEncryption(int keyLength, std::uint32_t permissionInput,
                           std::string_view ownerPassword, std::string_view userPassword);
    void EncryptObjects();
    void AddEncryptDictionary();
    // Writes the complete file into sink; false when the table is empty or the output would
    // need positions beyond 32 bits.
    bool WriteTo(OutputSink& sink);
    // Writes to path through a temporary file in the same folder that replaces path only once
    // it is complete, flushed and read back by VerifyOutput.
    bool WriteFile(const std::string& path);
    // Reads a written file back through read (offset, length; fewer bytes at the end) and
    // checks it against the document: every object at its offset, every stream's /Length
    // ending at "endstream", and the same set of objects as the input's latest revision.
    using ReadAt = std::function<std::string(std::int64_t offset, std::size_t length)>;
    bool VerifyOutput(const ReadAt& read, std::int64_t size);

    // Why Open, WriteTo, WriteFile or VerifyOutput failed; the first reason is kept.
    const std::optional<Refusal>& RefusalReason() const { return m_refusal; }
    // Records a reason (unless one is already kept) and returns false.
    bool Refuse(std::string step, std::int64_t object, std::int64_t offset, std::string message);

    const std::string& InputPath() const { return m_inputPath; }
    std::int64_t HeaderOffset() const { return m_headerOffset; }
    double Version() const { return m_version; }
    const CPDFXref& Xref() const { return m_xref; }
    CPDFXref& Xref() { return m_xref; }
    bool Encrypted() const { return m_encrypted; }
    void SetEncrypted(bool encrypted) { m_encrypted = encrypted; }
    const CPDFSecurity& Security() const { return m_security; }
    CPDFSecurity& Security() { return m_security; }

    // The tag on the second header line of every written file.
    static constexpr std::string_view kProducerTag = "Scrivola pdfcrypt";

  private:
    struct SectionResult {
        bool ok = false;
        std::int64_t previous = 0;
    };

    bool Load();
    bool ReadHeader();
    std::optional<std::int64_t> FindCrossReferencePosition() const;
    bool ReadSectionChain(std::int64_t position);
    SectionResult ReadSection(std::int64_t position, bool newest);
    std::optional<std::int64_t> WalkToTrailer(std::int64_t afterKeyword);
    bool ApplyTrailerKeys(std::string_view trailer, bool newest, SectionResult& result);
    bool ReadSubsections(std::int64_t trailer);
    std::optional<std::int64_t> ReadSubsectionNumber();
    bool Normalise();
    bool LoadObject(std::size_t number, XrefEntry& entry);
    std::optional<std::int64_t> StreamLength(std::size_t number, std::string_view object,
                                             std::size_t dictionary);
    void SeparateSharedTexts();
    std::int64_t ObjectLimit() const;

    void EncryptPlainObject(XrefEntry& entry);
    void EncryptStreamObject(XrefEntry& entry);
    void EncryptStreamDictionaryStrings(XrefEntry& entry);

    int ReadByte();

    bool m_opened = false;
    std::string m_inputPath;
    std::string m_input;
    std::int64_t m_position = 0;
    std::int64_t m_headerOffset = 0;
    double m_version = 0;
    CPDFXref m_xref;
    bool m_encrypted = false;
    CPDFSecurity m_security;
    // Bytes gone through while reading cross-reference sections; bounds the work a chain of
    // overlapping sections can cause.
    std::int64_t m_sectionBytesRead = 0;
    // Trailer keys already given by a newer section, which older ones do not override.
    bool m_rootKnown = false;
    bool m_infoKnown = false;
    bool m_encryptKnown = false;
    // Objects read from the input (in use, with an offset), for checking the output.
    std::size_t m_inputObjectCount = 0;
    // Where WriteTo put the cross-reference table.
    std::int64_t m_crossReferenceOffset = 0;
    std::optional<Refusal> m_refusal;
};

}  // namespace pdfcrypt
