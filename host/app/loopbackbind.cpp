// Keeps the VNC server on loopback.
//
// Qt's VNC platform plug-in listens on every interface and has no option to choose
// the address. The host serves its window over VNC only for a local viewer, so this
// wrapper around bind() turns a listening "any address" bind into a loopback bind
// while HOST_VNC_LOOPBACK is set (the host sets it only in VNC mode, before the
// plug-in starts). The executable exports this symbol so the plug-in's calls reach it.

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdlib>
#include <cstring>

extern "C" int bind(int fd, const struct sockaddr *addr, socklen_t len)
{
    using BindFn = int (*)(int, const struct sockaddr *, socklen_t);
    static const BindFn realBind = reinterpret_cast<BindFn>(dlsym(RTLD_NEXT, "bind"));
    if (!std::getenv("HOST_VNC_LOOPBACK") || !addr)
        return realBind(fd, addr, len);

    if (addr->sa_family == AF_INET && len >= socklen_t(sizeof(sockaddr_in))) {
        sockaddr_in in;
        std::memcpy(&in, addr, sizeof in);
        if (in.sin_addr.s_addr == htonl(INADDR_ANY)) {
            in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            return realBind(fd, reinterpret_cast<const sockaddr *>(&in), sizeof in);
        }
    } else if (addr->sa_family == AF_INET6 && len >= socklen_t(sizeof(sockaddr_in6))) {
        sockaddr_in6 in6;
        std::memcpy(&in6, addr, sizeof in6);
        if (IN6_IS_ADDR_UNSPECIFIED(&in6.sin6_addr)) {
            // A dual-stack socket: bind it to the IPv4 loopback in mapped form, so that
            // a viewer connecting to 127.0.0.1 reaches it.
            inet_pton(AF_INET6, "::ffff:127.0.0.1", &in6.sin6_addr);
            return realBind(fd, reinterpret_cast<const sockaddr *>(&in6), sizeof in6);
        }
    }
    return realBind(fd, addr, len);
}
