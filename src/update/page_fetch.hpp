#pragma once

#include <string_view>

#include "update/bytes.hpp"

namespace zivmora {

class HttpClient;

// Fetches the body of the page at `address`. Empty when nothing was received; after a failed
// read, or at the body limit, the bytes that arrived before. The status code is not looked
// at: an error page's body is returned like any other.
Bytes fetch_page(HttpClient& client, std::string_view address);

}  // namespace zivmora
