// What the rig's peer program and its driver agree on.
#pragma once

namespace rig {

constexpr wchar_t kPeerClass[] = L"VeilorRigPeer";
// Clicking it writes kClickFileText to My Documents\<kClickFilePrefix><pid>.txt and
// retitles the window kClickedTitleA.
constexpr int kWriteButtonId = 101;
// Clicking it retitles the window kClickedTitleB.
constexpr int kTitleButtonId = 102;
constexpr wchar_t kClickedTitleA[] = L"已点击 101";
constexpr wchar_t kClickedTitleB[] = L"已点击 102";
constexpr wchar_t kClickFilePrefix[] = L"veilor-rig-";
constexpr char kClickFileText[] = "按钮已点击\r\n";

}  // namespace rig
