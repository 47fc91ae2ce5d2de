// mvrelay: a UDP relay for trying network play over a bad network on one machine. It listens on
// 127.0.0.1 and passes every datagram on to the host and back, each one held back a random time within
// the delay given and a share of them dropped, so ENet's resending and the game's input delay meet what
// friends across a city would meet. It stops by itself once nothing has passed for a while.
//
//   mvrelay --listen PORT --to PORT [--delay MS | --delay MIN-MAX] [--drop PERCENT] [--seed N]
//           [--idle SECONDS] [--seconds SECONDS]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <queue>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  int listen = 0, to = 0;
  int delayMin = 0, delayMax = 0;
  double drop = 0;  // share of datagrams lost, 0 .. 1
  unsigned seed = 1;
  int idleSeconds = 10, seconds = 600;
};

struct Held {
  Clock::time_point due;
  int socket;
  sockaddr_in to;
  std::vector<char> bytes;
  bool operator>(const Held& o) const { return due > o.due; }
};

sockaddr_in loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

int udpSocket(int port) {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  const sockaddr_in at = loopback(port);
  if (s < 0 || bind(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) {
    std::perror("mvrelay: socket");
    std::exit(1);
  }
  return s;
}

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i], v = argv[i + 1];
    if (arg == "--listen") o.listen = std::atoi(v.c_str());
    else if (arg == "--to") o.to = std::atoi(v.c_str());
    else if (arg == "--drop") o.drop = std::atof(v.c_str()) / 100;
    else if (arg == "--seed") o.seed = static_cast<unsigned>(std::atoi(v.c_str()));
    else if (arg == "--idle") o.idleSeconds = std::atoi(v.c_str());
    else if (arg == "--seconds") o.seconds = std::atoi(v.c_str());
    else if (arg == "--delay") {
      const size_t dash = v.find('-');
      o.delayMin = std::atoi(v.substr(0, dash).c_str());
      o.delayMax = dash == std::string::npos ? o.delayMin : std::atoi(v.substr(dash + 1).c_str());
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && o.listen > 0 && o.listen < 65536 && o.to > 0 && o.to < 65536 && o.delayMin >= 0 &&
         o.delayMax >= o.delayMin && o.drop >= 0 && o.drop <= 1 && o.idleSeconds > 0 && o.seconds > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, o)) {
    std::fprintf(stderr, "usage: mvrelay --listen PORT --to PORT [--delay MS|MIN-MAX] [--drop PERCENT] "
                         "[--seed N] [--idle SECONDS] [--seconds SECONDS]\n");
    return 2;
  }
  std::mt19937 random(o.seed);
  std::uniform_int_distribution<int> delay(o.delayMin, o.delayMax);
  std::bernoulli_distribution lost(o.drop);

  const int front = udpSocket(o.listen);
  std::map<uint64_t, int> upstream;  // a joining machine's address and port, and the socket for it
  std::map<int, sockaddr_in> client;  // that socket, and whom its answers go back to
  std::priority_queue<Held, std::vector<Held>, std::greater<Held>> held;
  long passed = 0, dropped = 0;
  const Clock::time_point start = Clock::now();
  Clock::time_point lastSeen = start;

  while (Clock::now() - lastSeen < std::chrono::seconds(o.idleSeconds) &&
         Clock::now() - start < std::chrono::seconds(o.seconds)) {
    std::vector<pollfd> fds{{front, POLLIN, 0}};
    for (const auto& [socket, from] : client) fds.push_back({socket, POLLIN, 0});
    int wait = 50;
    if (!held.empty())
      wait = std::max<int>(0, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                   held.top().due - Clock::now()).count()));
    poll(fds.data(), fds.size(), std::min(wait, 50));

    for (const pollfd& p : fds) {
      if (!(p.revents & POLLIN)) continue;
      char buffer[65536];
      sockaddr_in from{};
      socklen_t length = sizeof from;
      const ssize_t n = recvfrom(p.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
      if (n < 0) continue;
      lastSeen = Clock::now();
      Held h{Clock::now() + std::chrono::milliseconds(delay(random)), 0, {}, {buffer, buffer + n}};
      if (p.fd == front) {
        const uint64_t key = uint64_t{from.sin_addr.s_addr} << 16 | from.sin_port;
        if (!upstream.count(key)) {
          const int s = udpSocket(0);
          upstream[key] = s;
          client[s] = from;
        }
        h.socket = upstream[key];
        h.to = loopback(o.to);
      } else {
        h.socket = front;
        h.to = client[p.fd];
      }
      if (lost(random)) {
        ++dropped;
        continue;
      }
      held.push(std::move(h));
    }
    while (!held.empty() && held.top().due <= Clock::now()) {
      const Held& h = held.top();
      sendto(h.socket, h.bytes.data(), h.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&h.to), sizeof h.to);
      ++passed;
      held.pop();
    }
  }
  std::printf("mvrelay: %ld datagrams passed, %ld dropped\n", passed, dropped);
  return 0;
}
