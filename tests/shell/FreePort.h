#pragma once
// A UDP port on 127.0.0.1 that nothing holds at the moment, for a network test to listen on.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace mv {

inline int freePort() {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof at;
  bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
  getsockname(s, reinterpret_cast<sockaddr*>(&at), &length);
  close(s);
  return ntohs(at.sin_port);
}

}  // namespace mv
