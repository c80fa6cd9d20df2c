#include "document_members_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzDocumentReader(data, size, narrix::DocumentFormat::Odt, {"content.xml", "styles.xml"});
}
