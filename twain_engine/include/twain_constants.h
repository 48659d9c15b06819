// TWAIN 1.9 constants: data groups, data argument types, messages, return and condition codes,
// container and item types, capability ids. Platform-free, so the tables build natively too.
#pragma once
#include <cstdint>

// Data groups, data argument types and messages.
constexpr uint32_t DG_CONTROL = 0x0001;
constexpr uint32_t DG_IMAGE = 0x0002;

constexpr uint16_t DAT_NULL = 0x0000;
constexpr uint16_t DAT_CAPABILITY = 0x0001;
constexpr uint16_t DAT_EVENT = 0x0002;
constexpr uint16_t DAT_IDENTITY = 0x0003;
constexpr uint16_t DAT_PARENT = 0x0004;
constexpr uint16_t DAT_PENDINGXFERS = 0x0005;
constexpr uint16_t DAT_SETUPMEMXFER = 0x0006;
constexpr uint16_t DAT_SETUPFILEXFER = 0x0007;
constexpr uint16_t DAT_STATUS = 0x0008;
constexpr uint16_t DAT_USERINTERFACE = 0x0009;
constexpr uint16_t DAT_IMAGEINFO = 0x0101;
constexpr uint16_t DAT_IMAGELAYOUT = 0x0102;
constexpr uint16_t DAT_IMAGEMEMXFER = 0x0103;
constexpr uint16_t DAT_IMAGENATIVEXFER = 0x0104;
constexpr uint16_t DAT_IMAGEFILEXFER = 0x0105;

constexpr uint16_t MSG_NULL = 0x0000;
constexpr uint16_t MSG_GET = 0x0001;
constexpr uint16_t MSG_GETCURRENT = 0x0002;
constexpr uint16_t MSG_GETDEFAULT = 0x0003;
constexpr uint16_t MSG_GETFIRST = 0x0004;
constexpr uint16_t MSG_GETNEXT = 0x0005;
constexpr uint16_t MSG_SET = 0x0006;
constexpr uint16_t MSG_RESET = 0x0007;
constexpr uint16_t MSG_QUERYSUPPORT = 0x0008;
constexpr uint16_t MSG_XFERREADY = 0x0101;
constexpr uint16_t MSG_CLOSEDSREQ = 0x0102;
constexpr uint16_t MSG_CLOSEDSOK = 0x0103;
constexpr uint16_t MSG_OPENDSM = 0x0301;
constexpr uint16_t MSG_CLOSEDSM = 0x0302;
constexpr uint16_t MSG_OPENDS = 0x0401;
constexpr uint16_t MSG_CLOSEDS = 0x0402;
constexpr uint16_t MSG_USERSELECT = 0x0403;
constexpr uint16_t MSG_DISABLEDS = 0x0501;
constexpr uint16_t MSG_ENABLEDS = 0x0502;
constexpr uint16_t MSG_ENABLEDSUIONLY = 0x0503;
constexpr uint16_t MSG_PROCESSEVENT = 0x0601;
constexpr uint16_t MSG_ENDXFER = 0x0701;

// Return codes.
constexpr uint16_t TWRC_SUCCESS = 0;
constexpr uint16_t TWRC_FAILURE = 1;
constexpr uint16_t TWRC_CHECKSTATUS = 2;
constexpr uint16_t TWRC_CANCEL = 3;
constexpr uint16_t TWRC_DSEVENT = 4;
constexpr uint16_t TWRC_NOTDSEVENT = 5;
constexpr uint16_t TWRC_XFERDONE = 6;
constexpr uint16_t TWRC_ENDOFLIST = 7;
constexpr uint16_t TWRC_INFONOTSUPPORTED = 8;
constexpr uint16_t TWRC_DATANOTAVAILABLE = 9;

// Condition codes.
constexpr uint16_t TWCC_SUCCESS = 0;
constexpr uint16_t TWCC_BUMMER = 1;
constexpr uint16_t TWCC_LOWMEMORY = 2;
constexpr uint16_t TWCC_NODS = 3;
constexpr uint16_t TWCC_MAXCONNECTIONS = 4;
constexpr uint16_t TWCC_OPERATIONERROR = 5;
constexpr uint16_t TWCC_BADCAP = 6;
constexpr uint16_t TWCC_BADPROTOCOL = 9;
constexpr uint16_t TWCC_BADVALUE = 10;
constexpr uint16_t TWCC_SEQERROR = 11;
constexpr uint16_t TWCC_BADDEST = 12;
constexpr uint16_t TWCC_CAPUNSUPPORTED = 13;
constexpr uint16_t TWCC_CAPBADOPERATION = 14;
constexpr uint16_t TWCC_CAPSEQERROR = 15;
constexpr uint16_t TWCC_DENIED = 16;
constexpr uint16_t TWCC_FILEEXISTS = 17;
constexpr uint16_t TWCC_FILENOTFOUND = 18;
constexpr uint16_t TWCC_NOTEMPTY = 19;
constexpr uint16_t TWCC_PAPERJAM = 20;
constexpr uint16_t TWCC_PAPERDOUBLEFEED = 21;
constexpr uint16_t TWCC_FILEWRITEERROR = 22;
constexpr uint16_t TWCC_CHECKDEVICEONLINE = 23;

// Container types.
constexpr uint16_t TWON_ARRAY = 3;
constexpr uint16_t TWON_ENUMERATION = 4;
constexpr uint16_t TWON_ONEVALUE = 5;
constexpr uint16_t TWON_RANGE = 6;
constexpr uint16_t TWON_DONTCARE16 = 0xFFFF;

// Item types.
constexpr uint16_t TWTY_INT8 = 0;
constexpr uint16_t TWTY_INT16 = 1;
constexpr uint16_t TWTY_INT32 = 2;
constexpr uint16_t TWTY_UINT8 = 3;
constexpr uint16_t TWTY_UINT16 = 4;
constexpr uint16_t TWTY_UINT32 = 5;
constexpr uint16_t TWTY_BOOL = 6;
constexpr uint16_t TWTY_FIX32 = 7;
constexpr uint16_t TWTY_FRAME = 8;
constexpr uint16_t TWTY_STR32 = 9;
constexpr uint16_t TWTY_STR64 = 10;
constexpr uint16_t TWTY_STR128 = 11;
constexpr uint16_t TWTY_STR255 = 12;

// Memory flags, transfer mechanisms, pixel types, file formats, compressions, countries.
constexpr uint32_t TWMF_APPOWNS = 0x1;
constexpr uint32_t TWMF_POINTER = 0x8;
constexpr uint16_t TWSX_NATIVE = 0;
constexpr uint16_t TWSX_FILE = 1;
constexpr uint16_t TWSX_MEMORY = 2;
constexpr uint16_t TWPT_BW = 0;
constexpr uint16_t TWPT_GRAY = 1;
constexpr uint16_t TWPT_RGB = 2;
constexpr uint16_t TWPT_PALETTE = 3;
constexpr uint16_t TWFF_TIFF = 0;
constexpr uint16_t TWFF_BMP = 2;
constexpr uint16_t TWFF_JFIF = 4;
constexpr uint16_t TWFF_PNG = 7;
constexpr uint16_t TWCP_NONE = 0;
constexpr uint16_t TWCY_USA = 1;
constexpr uint16_t TWUN_INCHES = 0;
constexpr uint16_t TWUN_CENTIMETERS = 1;
constexpr uint16_t TWUN_PIXELS = 5;
constexpr uint16_t TWLP_REFLECTIVE = 0;
constexpr uint16_t TWLP_TRANSMISSIVE = 1;
constexpr uint16_t TWFT_RED = 0;
constexpr uint16_t TWFT_GREEN = 1;
constexpr uint16_t TWFT_BLUE = 2;
constexpr uint16_t TWFT_NONE = 3;
constexpr uint16_t TWOR_ROT0 = 0;
constexpr uint16_t TWOR_ROT90 = 1;
constexpr uint16_t TWOR_ROT180 = 2;
constexpr uint16_t TWOR_ROT270 = 3;
constexpr uint16_t TWSS_NONE = 0;
constexpr uint16_t TWSS_A4LETTER = 1;
constexpr uint16_t TWSS_USLETTER = 3;
constexpr uint16_t TWSS_USLEGAL = 4;
constexpr uint16_t TWDX_NONE = 0;
constexpr uint16_t TWDX_1PASSDUPLEX = 1;

// Capabilities the engine and the simulated source name in code.
constexpr uint16_t CAP_XFERCOUNT = 0x0001;
constexpr uint16_t ICAP_COMPRESSION = 0x0100;
constexpr uint16_t ICAP_PIXELTYPE = 0x0101;
constexpr uint16_t ICAP_UNITS = 0x0102;
constexpr uint16_t ICAP_XFERMECH = 0x0103;
constexpr uint16_t CAP_FEEDERENABLED = 0x1002;
constexpr uint16_t CAP_FEEDERLOADED = 0x1003;
constexpr uint16_t CAP_SUPPORTEDCAPS = 0x1005;
constexpr uint16_t CAP_AUTOFEED = 0x1007;
constexpr uint16_t CAP_INDICATORS = 0x100b;
constexpr uint16_t CAP_PAPERDETECTABLE = 0x100d;
constexpr uint16_t CAP_UICONTROLLABLE = 0x100e;
constexpr uint16_t CAP_DEVICEONLINE = 0x100f;
constexpr uint16_t CAP_DUPLEX = 0x1012;
constexpr uint16_t CAP_DUPLEXENABLED = 0x1013;
constexpr uint16_t CAP_ENABLEDSUIONLY = 0x1014;
constexpr uint16_t ICAP_BRIGHTNESS = 0x1101;
constexpr uint16_t ICAP_CONTRAST = 0x1103;
constexpr uint16_t ICAP_FILTER = 0x1106;
constexpr uint16_t ICAP_GAMMA = 0x1108;
constexpr uint16_t ICAP_HALFTONES = 0x1109;
constexpr uint16_t ICAP_HIGHLIGHT = 0x110a;
constexpr uint16_t ICAP_IMAGEFILEFORMAT = 0x110c;
constexpr uint16_t ICAP_LIGHTPATH = 0x111e;
constexpr uint16_t ICAP_ORIENTATION = 0x1110;
constexpr uint16_t ICAP_PHYSICALWIDTH = 0x1111;
constexpr uint16_t ICAP_PHYSICALHEIGHT = 0x1112;
constexpr uint16_t ICAP_SHADOW = 0x1113;
constexpr uint16_t ICAP_FRAMES = 0x1114;
constexpr uint16_t ICAP_XNATIVERESOLUTION = 0x1116;
constexpr uint16_t ICAP_YNATIVERESOLUTION = 0x1117;
constexpr uint16_t ICAP_XRESOLUTION = 0x1118;
constexpr uint16_t ICAP_YRESOLUTION = 0x1119;
constexpr uint16_t ICAP_SUPPORTEDSIZES = 0x1122;
constexpr uint16_t ICAP_THRESHOLD = 0x1123;
constexpr uint16_t ICAP_BITDEPTH = 0x112b;

