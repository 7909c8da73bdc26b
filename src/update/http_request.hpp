#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ports/http_client.hpp"

namespace zivmora {

// The one request the program makes, the same on every platform:
//
//   GET <object> HTTP/1.0
//   Host: <host>[:<port>]
//   User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)
//   Accept: */*
//
// never answered from a cache and not written to one; redirects, cookies, authentication and
// the system's proxy settings are left to the platform's client.
namespace http_shape {
inline constexpr std::string_view kVerb = "GET";
inline constexpr std::string_view kVersion = "HTTP/1.0";
inline constexpr std::string_view kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
inline constexpr std::string_view kAcceptHeader = "Accept: */*";
// A server that never answers must not keep the window from appearing.
inline constexpr long kConnectTimeoutMs = 5000;
inline constexpr long kTransferTimeoutMs = 15000;
}  // namespace http_shape

// Room for the parts of a split address, terminator included.
inline constexpr std::size_t kHostRoom = 256;
inline constexpr std::size_t kObjectRoom = 2048;
inline constexpr std::size_t kUserRoom = 128;
inline constexpr std::size_t kPasswordRoom = 128;

// Removes "." and ".." segments from a path; nothing is percent-encoded.
std::string remove_dot_segments(std::string_view path);

// Canonicalises and splits an http or https address into the request to send. Nothing when
// the address is empty, cannot be split, a part does not fit its room, or the scheme is
// neither http nor https (such a request could only fail at the connection stage).
// The object is the path with its query, cut before the first "#".
std::optional<HttpRequest> make_http_request(std::string_view address);

// Bytes asked for by each read of the body: Content-Length + 1 when the header reads as a
// positive decimal number, at most 102400; otherwise 10240.
inline constexpr std::size_t kDefaultChunkSize = 10240;
inline constexpr std::size_t kLargestChunkSize = 102400;
std::size_t chunk_size_for(const std::optional<std::string>& content_length);

// A broken or hostile server could otherwise exhaust memory: reading stops at this size and
// the body ends there, as after a failed read.
inline constexpr std::size_t kBodyLimit = 16u * 1024u * 1024u;

}  // namespace zivmora
