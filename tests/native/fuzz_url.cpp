// Any bytes as a URL: every component stays inside a buffer of exactly the promised size
// (AddressSanitizer sees each buffer as its own allocation), and the protocol number is
// one of -1, 0, 1, 2.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include "url.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<char[]> url(new char[size + 1]);
  std::memcpy(url.get(), data, size);
  url[size] = '\0';
  const std::size_t n = url_component_size(url.get());
  std::unique_ptr<char[]> parts[6];
  for (auto& p : parts) p.reset(new char[n]);
  int port = -7;
  parse_url(url.get(), parts[0].get(), parts[1].get(), &port, parts[2].get(), parts[3].get(), parts[4].get());
  for (int i = 0; i < 5; ++i)
    if (std::strlen(parts[i].get()) >= n) std::abort();
  // The scheme-only call the commander makes, with every other output null.
  parse_url(url.get(), parts[5].get(), nullptr, nullptr, nullptr, nullptr, nullptr);
  if (std::strcmp(parts[5].get(), parts[0].get()) != 0) std::abort();
  const int protocol = name_index(protocol_names, parts[0].get());
  if (protocol < -1 || protocol > 2) std::abort();
  return 0;
}
