// Command tables as data: each row maps a window message, or a notification from a control
// id (WM_COMMAND, WM_NOTIFY), to a member handler. A class declares its table with
// DECLARE_RESPONSE_TABLE and defines it in its .cpp, one row per entry:
//
//   DEFINE_RESPONSE_TABLE(TMyDialog, TDialog) = {
//     {WM_COMMAND, IDOK,      BN_CLICKED, &Self::CmGo},
//     {WM_NOTIFY,  IDC_LIST,  NM_DBLCLK,  &Self::CmState},
//     {WM_TIMER,   0,         0,          &Self::EvTimer},   // id and code unused
//     {},
//   };
//
// The first matching row handles the message; unmatched messages go to the base class's
// table and then to the platform's default.
#pragma once
#include "message.h"

template <class D>
struct Response {
  UINT msg = 0;  // 0 ends the table
  int id = 0;
  UINT code = 0;
  void (D::*plain)() = nullptr;
  void (D::*full)(Message&) = nullptr;

  constexpr Response() = default;
  constexpr Response(UINT m, int i, UINT c, void (D::*h)()) : msg(m), id(i), code(c), plain(h) {}
  constexpr Response(UINT m, int i, UINT c, void (D::*h)(Message&)) : msg(m), id(i), code(c), full(h) {}

  bool Matches(const Message& m) const {
    if (m.msg != msg) return false;
    if (msg == WM_COMMAND) return m.Id() == id && static_cast<UINT>(m.Code()) == code;
    if (msg == WM_NOTIFY) return static_cast<int>(m.Notify()->idFrom) == id && m.Notify()->code == code;
    return true;
  }
};

template <class D>
bool RespondFrom(D* self, const Response<D>* table, Message& m) {
  for (; table->msg; ++table) {
    if (!table->Matches(m)) continue;
    if (table->plain) (self->*table->plain)();
    else (self->*table->full)(m);
    return true;
  }
  return false;
}

#define DECLARE_RESPONSE_TABLE(cls) \
 protected:                         \
  using Self = cls;                 \
  static const Response<cls> responses[]; \
  bool Respond(Message& m) override

#define DEFINE_RESPONSE_TABLE(cls, base) \
  bool cls::Respond(Message& m) { return RespondFrom(this, responses, m) || base::Respond(m); } \
  const Response<cls> cls::responses[]
