#pragma once

// Status codes returned by every host call: zero or positive is success,
// negative is failure.
using HRESULT = long;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
// The generic failure, 0x80004005 read as a signed 32-bit value.
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(static_cast<int>(0x80004005u));
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(static_cast<int>(0x80004002u));
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(static_cast<int>(0x80070057u));
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(static_cast<int>(0x8007000Eu));

inline constexpr bool SUCCEEDED(HRESULT rc) { return rc >= 0; }
inline constexpr bool FAILED(HRESULT rc) { return rc < 0; }
