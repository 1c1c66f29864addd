// The plug-in's binary interface: what a host compiles against to load Stats.dll / libStats.so.
//
// Every entry point uses the C calling convention (cdecl, caller cleans the stack) and takes
// only plain values and pointers. Texts are 8-bit, zero-terminated, in the host's ANSI code page.
#ifndef STATS_API_H
#define STATS_API_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define STATS_CALL __cdecl
#if defined(STATS_BUILDING_PLUGIN)
#define STATS_EXPORT __declspec(dllexport)
#else
#define STATS_EXPORT __declspec(dllimport)
#endif
#else
#define STATS_CALL
#if defined(STATS_BUILDING_PLUGIN)
#define STATS_EXPORT __attribute__((visibility("default")))
#else
#define STATS_EXPORT
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The host's date-time object: an OLE Automation date (days since 1899-12-30; the fraction is the
// time of day, and for a negative day count the integer part is the day and the absolute value of
// the fraction the time) followed by a validity status.
enum COleDateTimeStatus { COleDateTimeValid = 0, COleDateTimeInvalid = 1, COleDateTimeNull = 2 };

#ifdef __cplusplus
#define STATS_ALIGN8 alignas(8)
#else
#define STATS_ALIGN8 _Alignas(8)
#endif

// 16 bytes on every target: the day count is 8-aligned even where the platform aligns doubles to 4.
typedef struct COleDateTime {
  STATS_ALIGN8 double m_dt;
  int32_t m_status;
} COleDateTime;

STATS_EXPORT int STATS_CALL GetNumberOfSets(void);
STATS_EXPORT const char* STATS_CALL GetSetName(int setIndex);
STATS_EXPORT int STATS_CALL IsValidExchg0(const char* text1, const char* text2, const char* text3,
                                          const char* text4, int number1, int number2, int number3);
STATS_EXPORT int STATS_CALL GetExchgCount0(const char* text1, const char* text2, const char* text3);
STATS_EXPORT void STATS_CALL SetupSet0(void);

STATS_EXPORT int STATS_CALL ResetStats0(const char* text1, int exportRequest, const char* ownCall,
                                        COleDateTime* time4, COleDateTime* time5, const char* text6,
                                        const char* text7, const char* text8, const char* text9,
                                        const char* text10, const char* text11, const char* text12,
                                        const char* text13, const char* text14,
                                        const char* ownDxccPrefix, int number16, int number17,
                                        int number18, double number19, double number20,
                                        const char* text21, const char* text22, const char* text23);

STATS_EXPORT int STATS_CALL
AddData0(const char* text1, const char* call, COleDateTime* time3, COleDateTime* qsoTime,
         COleDateTime* time5, COleDateTime* time6, unsigned int number7, unsigned int frequencyHz,
         const char* mode, const char* hostText10, const char* hostText11, const char* sentSerial,
         const char* receivedExchange, const char* text14, const char* text15, const char* text16,
         const char* text17, const char* text18, const char* text19, const char* text20,
         const char* text21, const char* callPrefix, const char* dxccPrefix, int number24,
         int number25, int number26, double number27, double number28, const char* text29,
         const char* hostText30, const char* text31, const char* band, const char* text33);

STATS_EXPORT int STATS_CALL RemoveData0(
    const char* text1, const char* call, COleDateTime* time3, COleDateTime* qsoTime,
    COleDateTime* time5, COleDateTime* time6, unsigned int number7, unsigned int frequencyHz,
    const char* mode, const char* hostText10, const char* hostText11, const char* sentSerial,
    const char* receivedExchange, const char* text14, const char* text15, const char* text16,
    const char* text17, const char* text18, const char* text19, const char* text20,
    const char* text21, const char* callPrefix, const char* dxccPrefix, int number24, int number25,
    int number26, double number27, double number28, const char* text29, const char* hostText30,
    const char* text31, const char* band, const char* text33);

STATS_EXPORT int STATS_CALL CheckCall0(const char* call, unsigned int number2, unsigned int number3,
                                       const char* mode, const char* text5, const char* text6,
                                       const char* text7, const char* text8, const char* text9,
                                       const char* text10, const char* text11, const char* text12,
                                       const char* callPrefix, const char* dxccPrefix, int number15,
                                       int number16, int number17, double number18, double number19,
                                       const char* text20, const char* text21, const char* text22,
                                       const char* text23, const char* text24, const char* band,
                                       const char* secondBand, char* outputText, char* outputText2);

STATS_EXPORT const char* STATS_CALL GetResult0(int* exportDone);

#ifdef __cplusplus
}  // extern "C"

static_assert(sizeof(COleDateTime) == 16, "COleDateTime must match the host's 16-byte layout");
static_assert(offsetof(COleDateTime, m_dt) == 0, "day count at offset 0");
static_assert(offsetof(COleDateTime, m_status) == 8, "status at offset 8");
#endif

#endif  // STATS_API_H
