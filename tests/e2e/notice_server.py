"""A small web server on 127.0.0.1 for the online build of the program: it serves the notice
page in the way a test asks for (at once, never, a byte a second, cut off, or as an error), logs
every request, and serves a page for the video viewer."""

import socket
import sys
import threading
import time

PORT = 47831

# The web addresses of the online build of the program (scripts/lib.sh builds it with these):
# its notice page and video on this server, its links at addresses that the tests recognise.
ADDRESSES = {
    "LANDOU_NOTICE_PAGE_ADDRESS": f"http://127.0.0.1:{PORT}/notice.txt",
    "LANDOU_AUTHOR_SITE_ADDRESS": "http://landou-site.test/",
    "LANDOU_AUTHOR_CHAT_LINK": "im://chat/?to=landou-test",
    "LANDOU_DEMO_VIDEO_ADDRESS": f"http://127.0.0.1:{PORT}/video.html",
}


class NoticeServer:
    def __init__(self, port: int = PORT):
        self.port = port
        self.requests = []  # (path, time of arrival)
        self.behaviour = "page"
        self.body = b""
        self._socket = None
        self._stopping = threading.Event()
        self._connections = []
        self._lock = threading.Lock()

    # The page and how it is served

    def serve(self, body: bytes, behaviour: str = "page"):
        """behaviour: "page" (at once), "silent" (accepts and never answers), "trickle" (the body
        one byte a second), "cut" (half the body, then the connection closes) or "error" (404)."""
        self.body, self.behaviour = body, behaviour

    def paths(self) -> list:
        with self._lock:
            return [path for path, _ in self.requests]

    # Life

    def start(self):
        self._stopping.clear()
        self._socket = socket.create_server(("127.0.0.1", self.port))
        self._socket.settimeout(0.2)
        self._acceptor = threading.Thread(target=self._accept, daemon=True)
        self._acceptor.start()

    def stop(self):
        """Nothing listens on the port afterwards; open connections are closed."""
        self._stopping.set()
        if self._socket:
            self._acceptor.join()  # the listening socket lives until its accept() returns
            self._socket.close()
            self._socket = None
        with self._lock:
            for connection in self._connections:
                try:
                    connection.close()
                except OSError:
                    pass
            self._connections.clear()

    def _accept(self):
        listener = self._socket
        while not self._stopping.is_set():
            try:
                connection, _ = listener.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            if self._stopping.is_set():
                connection.close()
                return
            with self._lock:
                self._connections.append(connection)
            threading.Thread(target=self._answer, args=(connection,), daemon=True).start()

    def _answer(self, connection: socket.socket):
        try:
            connection.settimeout(10)
            request = b""
            while b"\r\n\r\n" not in request and len(request) < 65536:
                chunk = connection.recv(4096)
                if not chunk:
                    return
                request += chunk
            path = request.split(b" ", 2)[1].decode("latin-1") if request.count(b" ") >= 2 else ""
            with self._lock:
                self.requests.append((path, time.monotonic()))
            if not path.startswith("/notice"):
                self._send(connection, 200, b"<html><body>video</body></html>", "text/html")
            elif self.behaviour == "silent":
                self._stopping.wait(60)
            elif self.behaviour == "error":
                self._send(connection, 404, self.body)
            elif self.behaviour == "cut":
                connection.sendall(self._header(200, len(self.body)) + self.body[: len(self.body) // 2])
            elif self.behaviour == "trickle":
                connection.sendall(self._header(200, len(self.body)))
                for i in range(len(self.body)):
                    if self._stopping.wait(1):
                        return
                    connection.sendall(self.body[i:i + 1])
            else:
                self._send(connection, 200, self.body)
        except OSError:
            pass
        finally:
            try:
                connection.close()
            except OSError:
                pass

    @staticmethod
    def _header(status: int, length: int, content_type: str = "text/plain") -> bytes:
        reason = {200: "OK", 404: "Not Found"}[status]
        return (f"HTTP/1.1 {status} {reason}\r\nContent-Type: {content_type}\r\nContent-Length: {length}\r\n"
                "Cache-Control: max-age=3600\r\nConnection: close\r\n\r\n").encode()

    def _send(self, connection, status: int, body: bytes, content_type: str = "text/plain"):
        connection.sendall(self._header(status, len(body), content_type) + body)


if __name__ == "__main__" and sys.argv[1:] == ["--cmake-definitions"]:
    print(" ".join(f"-D{name}={value}" for name, value in ADDRESSES.items()))
