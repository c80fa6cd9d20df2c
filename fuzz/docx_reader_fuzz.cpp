#include "document_members_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzDocumentReader(
        data, size, narrix::DocumentFormat::Docx,
        {"word/document.xml", "word/styles.xml", "word/footnotes.xml", "word/endnotes.xml"});
}
