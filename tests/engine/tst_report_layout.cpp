// The report cells and the two report layouts, checked cell by cell against
// the layout tables as the report designer wrote them down.
#include "RF_CD_Consts.h"
#include "RF_PS_Consts.h"
#include "Utils.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyUIL.h"

#include "LocaleInfo.h"

#include <QLocale>
#include <QRegularExpression>
#include <QtTest>

using namespace zyRpt;

namespace {

// The layout tables: # | cell | text | align | bold | font | fill | lines
// T L B R | merged to (header cells); # | cell | name | type | format | align
// | font | fill | lines | shortening | merged to (field cells); and the
// pictures of which cell covers which grid position.
const char* const kPSHeaders = R"tbl(
| 1 | A1 | the product title "Tarvo ZOL Lumo: Curvewright" | left | yes | white | title green | k k k k | E1 |
| 2 | A2 | 410 "Project Summary" | left | yes | white | title green | k k k k | E2 |
| 3 | F1 | 411 "Report Date" | left | yes | black | yellow | k k k k |  |
| 4 | F2 | 412 "Cut Off Date" | left | yes | white | black | k k k k |  |
| 5 | A3 | 413 "Project Title" | left | yes | black | yellow | k k s k |  |
| 6 | A4 | 414 "Project Number" | left |  | black | button face | s k s k |  |
| 7 | A5 | 415 "Project Client" | left |  | black | button face | s k k k |  |
| 8 | A6 | 416 "Data Source File" | left | yes | black | yellow | k k k k |  |
| 9 | A7 | 417 "Data Options" | left |  | black | button face | k k s k |  |
| 10 | A8 | 418 "Quantity Options" | left |  | black | button face | s k s k |  |
| 11 | A9 | 419 "Filter Details" | left |  | black | button face | s k k k |  |
| 12 | F5 | 420 "Task Counts" | left | yes | black | yellow | k k k k |  |
| 13 | G5 | 421 "Value" | centre | yes | black | yellow | k k k k |  |
| 14 | F6 | 422 "Tasks: Total" | left |  | black | button face | k k s k |  |
| 15 | F7 | 423 "Tasks: Ignored" | left |  | black | button face | s k s k |  |
| 16 | F8 | 424 "Tasks: <> Filter" | left |  | black | button face | s k s k |  |
| 17 | F9 | 425 "Tasks: Processed" | left |  | black | button face | s k k k |  |
| 18 | A10 | 426 "Task Details" | left | yes | black | yellow | k k k k |  |
| 19 | B10 | 427 "Baseline" | centre | yes | white | Baseline blue | k k k s |  |
| 20 | C10 | 428 "% of Baseline" | centre | yes | white | Baseline blue | k s k k |  |
| 21 | D10 | 429 "Actual" | centre | yes | black | Actual green | k k k s |  |
| 22 | E10 | 430 "% Actual" | centre | yes | black | Actual green | k s k k |  |
| 23 | F10 | 431 "Target" | centre | yes | white | Target red | k k k s |  |
| 24 | G10 | 432 "% Target" | centre | yes | white | Target red | k s k k |  |
| 25 | A11 | 433 "Tasks: Valid" | left |  | black | button face | k k s k |  |
| 26 | A12 | 434 "Tasks: Invalid" | left |  | black | button face | s k k k |  |
| 27 | A13 | 435 "Project Details" | left | yes | black | yellow | k k k k |  |
| 28 | B13 | 436 "Baseline" | centre | yes | white | Baseline blue | k k k s |  |
| 29 | C13 | 437 "Baseline To Date" | centre | yes | white | Baseline blue | k s k k |  |
| 30 | D13 | 438 "Actual" | centre | yes | black | Actual green | k k k s |  |
| 31 | E13 | 439 "Actual To Date" | centre | yes | black | Actual green | k s k k |  |
| 32 | F13 | 440 "Target" | centre | yes | white | Target red | k k k s |  |
| 33 | G13 | 441 "Target To Date" | centre | yes | white | Target red | k s k k |  |
| 34 | A14 | 442 "Start Date" | left |  | black | button face | k k s k |  |
| 35 | A15 | 443 "Finish Date" | left |  | black | button face | s k k k |  |
| 36 | A16 | 444 "Duration" | left |  | black | button face | k k s k |  |
| 37 | A17 | 445 "Man Hours" | left |  | black | button face | s k s k |  |
| 38 | A18 | 446 "Cost" | left |  | black | button face | s k k k |  |
| 39 | A19 | 447 "Progress To Date" | left | yes | black | yellow | k k k k |  |
| 40 | B19 | 448 "Baseline %" and 449 "(Baseline=100%)", on two lines joined by CR LF | centre | yes | white | Baseline blue | k k k s |  |
| 41 | C19 | 450 "Baseline %" and 451 "(Target=100%)", on two lines joined by CR LF | centre | yes | white | Baseline blue | k s k k |  |
| 42 | D19 | 452 "Actual %" and 453 "(Baseline=100%)", on two lines joined by CR LF | centre | yes | black | Actual green | k k k s |  |
| 43 | E19 | 454 "Actual %" and 455 "(Target=100%)", on two lines joined by CR LF | centre | yes | black | Actual green | k s k k |  |
| 44 | F19 | 456 "Target %" and 457 "(Baseline=100%)", on two lines joined by CR LF | centre | yes | white | Target red | k k k s |  |
| 45 | G19 | 458 "Target %" and 459 "(Target=100%)", on two lines joined by CR LF | centre | yes | white | Target red | k s k k |  |
| 46 | A20 | 460 "Progress: Man Hours" | left |  | black | button face | k k s k |  |
| 47 | A21 | 461 "Progress: Cost" | left |  | black | button face | s k k k |  |
| 48 | A22 | 462 "Project Status" | left | yes | black | yellow | k k k k |  |
| 49 | B22 | 463 "Value" | centre | yes | black | yellow | k k k s |  |
| 50 | C22 | 464 "% of Baseline" | centre | yes | white | Baseline blue | k s k s |  |
| 51 | D22 | 465 "Status" | centre | yes | black | yellow | k s k k |  |
| 52 | A23 | 466 "Slippage: Start" | left |  | black | button face | k k s k |  |
| 53 | A24 | 467 "Slippage: Finish" | left |  | black | button face | s k k k |  |
| 54 | A25 | 468 "Growth: Duration" | left |  | black | button face | k k s k |  |
| 55 | A26 | 469 "Growth: Man Hours" | left |  | black | button face | s k s k |  |
| 56 | A27 | 470 "Growth: Cost" | left |  | black | button face | s k k k |  |
| 57 | E22 | 471 "Task Status" | left | yes | black | yellow | k k k k |  |
| 58 | F22 | 472 "Tasks" | centre | yes | black | yellow | k k k s |  |
| 59 | G22 | 473 "% of Tasks" | centre | yes | black | yellow | k s k k |  |
| 60 | E23 | 474 "Tasks Starting Late" | left |  | black | button face | k k k s |  |
| 61 | E24 | 475 "Tasks Finishing Late" | left |  | black | button face | s k k k |  |
| 62 | E25 | 476 "Increased: Duration" | left |  | black | button face | k k k s |  |
| 63 | E26 | 477 "Increased: Man Hours" | left |  | black | button face | s k s s |  |
| 64 | E27 | 478 "Increased: Cost" | left |  | black | button face | s k k k |  |
)tbl";

const char* const kPSFields = R"tbl(
| 1 | G1 | 479 "Report Date" | date | "dd-MMM-yyyy" | left | window text | white | k k k k |  |  |
| 2 | G2 | 480 "Cut Off Date" | date | "dd-MMM-yyyy" | left | window text | white | k k k k |  |  |
| 3 | B3 | 481 "Project Title" | text | "%s" | left | window text | white | k k s k |  | G3 |
| 4 | B4 | 482 "Project Number" | text | "%s" | left | window text | white | s k s k |  | G4 |
| 5 | B5 | 483 "Project Client" | text | "%s" | left | window text | white | s k k k |  | E5 |
| 6 | B6 | 484 "Data Source File" | text | "%s" | left | window text | white | k k k k | path | E6 |
| 7 | B7 | 485 "Data Options" | text | "%s" | left | window text | white | k k s k | text | E7 |
| 8 | B8 | 486 "Quantity Options" | text | "%s" | left | window text | white | s k s k | text | E8 |
| 9 | B9 | 487 "Filter Details" | text | "%s" | left | window text | white | s k k k | text | E9 |
| 10 | G6 | 488 "Task Counts: Total Tasks" | integer | "%d" | right | window text | white | k k s k |  |  |
| 11 | G7 | 489 "Task Counts: Ignored Tasks" | integer | "%d" | right | window text | white | s k s k |  |  |
| 12 | G8 | 490 "Task Counts: Tasks <> Filter" | integer | "%d" | right | window text | white | s k s k |  |  |
| 13 | G9 | 491 "Task Counts: Tasks Processed" | integer | "%d" | right | window text | white | s k k k |  |  |
| 14 | B11 | 492 "Task Details: Valid Tasks (Baseline)" | integer | "%d" | right | black | light blue | k k s s |  |  |
| 15 | C11 | 493 "Task Details: Valid Tasks (% of Baseline)" | number | "%n" | right | black | light blue | k s s k |  |  |
| 16 | D11 | 494 "Task Details: Valid Tasks (Actual)" | integer | "%d" | right | black | light green | k k s s |  |  |
| 17 | E11 | 495 "Task Details: Valid Tasks (% of Actual)" | number | "%n" | right | black | light green | k s s k |  |  |
| 18 | F11 | 496 "Task Details: Valid Tasks (Target)" | integer | "%d" | right | black | light orange | k k s s |  |  |
| 19 | G11 | 497 "Task Details: Valid Tasks (% of Target)" | number | "%n" | right | black | light orange | k s s k |  |  |
| 20 | B12 | 498 "Task Details: Invalid Tasks (Baseline)" | integer | "%d" | right | black | light blue | s k k s |  |  |
| 21 | C12 | 499 "Task Details: Invalid Tasks (% of Baseline)" | number | "%n" | right | black | light blue | s s k k |  |  |
| 22 | D12 | 500 "Task Details: Invalid Tasks (Actual)" | integer | "%d" | right | black | light green | s k k s |  |  |
| 23 | E12 | 501 "Task Details: Invalid Tasks (% of Actual)" | number | "%n" | right | black | light green | s s k k |  |  |
| 24 | F12 | 502 "Task Details: Invalid Tasks (Target)" | integer | "%d" | right | black | light orange | s k k s |  |  |
| 25 | G12 | 503 "Task Details: Invalid Tasks (% of Target)" | number | "%n" | right | black | light orange | s s k k |  |  |
| 26 | B14 | 504 "Project Details: Start Date (Baseline)" | date | "dd-MMM-yyyy" | right | black | light blue | k k s s |  |  |
| 27 | C14 | 505 (empty text) | text | "%s" | left | black | grey | k s s k |  |  |
| 28 | D14 | 506 "Project Details: Start Date (Actual)" | date | "dd-MMM-yyyy" | right | black | light green | k k s s |  |  |
| 29 | E14 | 507 (empty text) | text | "%s" | left | black | grey | k s s k |  |  |
| 30 | F14 | 508 "Project Details: Start Date (Target)" | date | "dd-MMM-yyyy" | right | black | light orange | k k s s |  |  |
| 31 | G14 | 509 (empty text) | text | "%s" | left | black | grey | k s s k |  |  |
| 32 | B15 | 510 "Project Details: Finish Date (Baseline)" | date | "dd-MMM-yyyy" | right | black | light blue | s k k s |  |  |
| 33 | C15 | 511 (empty text) | text | "%s" | left | black | grey | s s k k |  |  |
| 34 | D15 | 512 "Project Details: Finish Date (Actual)" | date | "dd-MMM-yyyy" | right | black | light green | s k k s |  |  |
| 35 | E15 | 513 (empty text) | text | "%s" | left | black | grey | s s k k |  |  |
| 36 | F15 | 514 "Project Details: Finish Date (Target)" | date | "dd-MMM-yyyy" | right | black | light orange | s k k s |  |  |
| 37 | G15 | 515 (empty text) | text | "%s" | left | black | grey | s s k k |  |  |
| 38 | B16 | 516 "Project Details: Duration Total (Baseline)" | integer | "%d" | right | black | light blue | k k s s |  |  |
| 39 | C16 | 517 "Project Details: Duration To Date (Baseline)" | integer | "%d" | right | black | light blue | k s s k |  |  |
| 40 | D16 | 518 "Project Details: Duration Total (Actual)" | integer | "%d" | right | black | light green | k k s s |  |  |
| 41 | E16 | 519 "Project Details: Duration To Date (Actual)" | integer | "%d" | right | black | light green | k s s k |  |  |
| 42 | F16 | 520 "Project Details: Duration Total (Target)" | integer | "%d" | right | black | light orange | k k s s |  |  |
| 43 | G16 | 521 "Project Details: Duration To Date (Target)" | integer | "%d" | right | black | light orange | k s s k |  |  |
| 44 | B17 | 522 "Project Details: Man Hours Total (Baseline)" | number | "%n" | right | black | light blue | s k s s |  |  |
| 45 | C17 | 523 "Project Details: Man Hours To Date (Baseline)" | number | "%n" | right | black | light blue | s s s k |  |  |
| 46 | D17 | 524 "Project Details: Man Hours Total (Actual)" | number | "%n" | right | black | light green | s k s s |  |  |
| 47 | E17 | 525 "Project Details: Man Hours To Date (Actual)" | number | "%n" | right | black | light green | s s s k |  |  |
| 48 | F17 | 526 "Project Details: Man Hours Total (Target)" | number | "%n" | right | black | light orange | s k s s |  |  |
| 49 | G17 | 527 "Project Details: Man Hours To Date (Target)" | number | "%n" | right | black | light orange | s s s k |  |  |
| 50 | B18 | 528 "Project Details: Cost Total (Baseline)" | number | "%n" | right | black | light blue | s k k s |  |  |
| 51 | C18 | 529 "Project Details: Cost To Date (Baseline)" | number | "%n" | right | black | light blue | s s k k |  |  |
| 52 | D18 | 530 "Project Details: Cost Total (Actual)" | number | "%n" | right | black | light green | s k k s |  |  |
| 53 | E18 | 531 "Project Details: Cost To Date (Actual)" | number | "%n" | right | black | light green | s s k k |  |  |
| 54 | F18 | 532 "Project Details: Cost Total (Target)" | number | "%n" | right | black | light orange | s k k s |  |  |
| 55 | G18 | 533 "Project Details: Cost To Date (Target)" | number | "%n" | right | black | light orange | s s k k |  |  |
| 56 | B20 | 534 "Progress: Man Hours Baseline % (Baseline = 100%)" | number | "%n" | right | black | light blue | k k s s |  |  |
| 57 | C20 | 535 "Progress: Man Hours Baseline % (Target = 100%)" | number | "%n" | right | black | light blue | k s s k |  |  |
| 58 | D20 | 536 "Progress: Man Hours Actual % (Baseline = 100%)" | number | "%n" | right | black | light green | k k s s |  |  |
| 59 | E20 | 537 "Progress: Man Hours Actual % (Target = 100%)" | number | "%n" | right | black | light green | k s s k |  |  |
| 60 | F20 | 538 "Progress: Man Hours Target % (Baseline = 100%)" | number | "%n" | right | black | light orange | k k s s |  |  |
| 61 | G20 | 539 "Progress: Man Hours Target % (Target = 100%)" | number | "%n" | right | black | light orange | k s s k |  |  |
| 62 | B21 | 540 "Progress: Cost Baseline % (Baseline = 100%)" | number | "%n" | right | black | light blue | s k k s |  |  |
| 63 | C21 | 541 "Progress: Cost Baseline % (Target = 100%)" | number | "%n" | right | black | light blue | s s k k |  |  |
| 64 | D21 | 542 "Progress: Cost Actual % (Baseline = 100%)" | number | "%n" | right | black | light green | s k k s |  |  |
| 65 | E21 | 543 "Progress: Cost Actual % (Target = 100%)" | number | "%n" | right | black | light green | s s k k |  |  |
| 66 | F21 | 544 "Progress: Cost Target % (Baseline = 100%)" | number | "%n" | right | black | light orange | s k k s |  |  |
| 67 | G21 | 545 "Progress: Cost Target % (Target = 100%)" | number | "%n" | right | black | light orange | s s k k |  |  |
| 68 | B23 | 546 "Project Status: Slippage Start: Days" | integer | "%d" | right | window text | white | k k s s |  |  |
| 69 | C23 | 547 "Project Status: Slippage Start: % of Baseline" | number | "%n" | right | black | light blue | k s s s |  |  |
| 70 | D23 | 548 "Project Status: Slippage Start: Status" | text | "%s" | left | window text | white | k s s k |  |  |
| 71 | B24 | 549 "Project Status: Slippage Finish: Days" | integer | "%d" | right | window text | white | s k k s |  |  |
| 72 | C24 | 550 "Project Status: Slippage Finish: % of Baseline" | number | "%n" | right | black | light blue | s s k s |  |  |
| 73 | D24 | 551 "Project Status: Slippage Finish: Status" | text | "%s" | left | window text | white | s s k k |  |  |
| 74 | B25 | 552 "Project Status: Duration: Days" | integer | "%d" | right | window text | white | k k s s |  |  |
| 75 | C25 | 553 "Project Status: Duration: % of Baseline" | number | "%n" | right | black | light blue | k s s s |  |  |
| 76 | D25 | 554 "Project Status: Duration: Status" | text | "%s" | left | window text | white | k s s k |  |  |
| 77 | B26 | 555 "Project Status: Man Hours" | number | "%n" | right | window text | white | s k s s |  |  |
| 78 | C26 | 556 "Project Status: Man Hours: % of Baseline" | number | "%n" | right | black | light blue | s s s s |  |  |
| 79 | D26 | 557 "Project Status: Man Hours: Status" | text | "%s" | left | window text | white | s s s k |  |  |
| 80 | B27 | 558 "Project Status: Cost" | number | "%n" | right | window text | white | s k k s |  |  |
| 81 | C27 | 559 "Project Status: Cost: % of Baseline" | number | "%n" | right | black | light blue | s s k s |  |  |
| 82 | D27 | 560 "Project Status: Cost: Status" | text | "%s" | left | window text | white | s s k k |  |  |
| 83 | F23 | 561 "Task Status: Tasks Starting Late: Tasks" | integer | "%d" | right | window text | white | k k s s |  |  |
| 84 | G23 | 562 "Task Status: Tasks Starting Late: % of Tasks" | number | "%n" | right | window text | white | k s s k |  |  |
| 85 | F24 | 563 "Task Status: Tasks Finishing Late: Tasks" | integer | "%d" | right | window text | white | s k k s |  |  |
| 86 | G24 | 564 "Task Status: Tasks Finishing Late: % of Tasks" | number | "%n" | right | window text | white | s s k k |  |  |
| 87 | F25 | 565 "Task Status: Increased Duration: Tasks" | integer | "%d" | right | window text | white | k k s s |  |  |
| 88 | G25 | 566 "Task Status: Increased Duration: % of Tasks" | number | "%n" | right | window text | white | k s s k |  |  |
| 89 | F26 | 567 "Task Status: Increased Man Hours: Tasks" | integer | "%d" | right | window text | white | s k s s |  |  |
| 90 | G26 | 568 "Task Status: Increased Man Hours: % of Tasks" | number | "%n" | right | window text | white | s s s k |  |  |
| 91 | F27 | 569 "Task Status: Increased Cost: Tasks" | integer | "%d" | right | window text | white | s k k s |  |  |
| 92 | G27 | 570 "Task Status: Increased Cost: % of Tasks" | number | "%n" | right | window text | white | s s k k |  |  |
)tbl";

const char* const kPSPicture = R"tbl(
| 1 | H1 | <H1 | <H1 | <H1 | <H1 | H3 | F1 |
| 2 | H2 | <H2 | <H2 | <H2 | <H2 | H4 | F2 |
| 3 | H5 | F3 | <F3 | <F3 | <F3 | <F3 | <F3 |
| 4 | H6 | F4 | <F4 | <F4 | <F4 | <F4 | <F4 |
| 5 | H7 | F5 | <F5 | <F5 | <F5 | H12 | H13 |
| 6 | H8 | F6 | <F6 | <F6 | <F6 | H14 | F10 |
| 7 | H9 | F7 | <F7 | <F7 | <F7 | H15 | F11 |
| 8 | H10 | F8 | <F8 | <F8 | <F8 | H16 | F12 |
| 9 | H11 | F9 | <F9 | <F9 | <F9 | H17 | F13 |
| 10 | H18 | H19 | H20 | H21 | H22 | H23 | H24 |
| 11 | H25 | F14 | F15 | F16 | F17 | F18 | F19 |
| 12 | H26 | F20 | F21 | F22 | F23 | F24 | F25 |
| 13 | H27 | H28 | H29 | H30 | H31 | H32 | H33 |
| 14 | H34 | F26 | F27 | F28 | F29 | F30 | F31 |
| 15 | H35 | F32 | F33 | F34 | F35 | F36 | F37 |
| 16 | H36 | F38 | F39 | F40 | F41 | F42 | F43 |
| 17 | H37 | F44 | F45 | F46 | F47 | F48 | F49 |
| 18 | H38 | F50 | F51 | F52 | F53 | F54 | F55 |
| 19 | H39 | H40 | H41 | H42 | H43 | H44 | H45 |
| 20 | H46 | F56 | F57 | F58 | F59 | F60 | F61 |
| 21 | H47 | F62 | F63 | F64 | F65 | F66 | F67 |
| 22 | H48 | H49 | H50 | H51 | H57 | H58 | H59 |
| 23 | H52 | F68 | F69 | F70 | H60 | F83 | F84 |
| 24 | H53 | F71 | F72 | F73 | H61 | F85 | F86 |
| 25 | H54 | F74 | F75 | F76 | H62 | F87 | F88 |
| 26 | H55 | F77 | F78 | F79 | H63 | F89 | F90 |
| 27 | H56 | F80 | F81 | F82 | H64 | F91 | F92 |
)tbl";

const char* const kCDHeaders = R"tbl(
| 1 | A1 | the product title "Tarvo ZOL Lumo: Curvewright" | left | yes | white | title green | k k k k | H1 |
| 2 | A2 | 571 "Chart Data" | left | yes | white | title green | k k k k | J2 |
| 3 | I1 | 572 "Report Date" | left | yes | black | yellow | k k k k |  |
| 4 | I3 | 573 "Cut Off Date" | left | yes | white | black | k k k k |  |
| 5 | J3 | 574 "Chart Value" | left | yes | black | yellow | k k k k |  |
| 6 | A3 | 575 "Project Title" | left | yes | black | yellow | k k s k |  |
| 7 | A4 | 576 "Project Number" | left |  | black | button face | s k s k |  |
| 8 | A5 | 577 "Project Client" | left |  | black | button face | s k k k |  |
)tbl";

const char* const kCDFields = R"tbl(
| 1 | J1 | 578 "Report Date" | date | "dd-MMM-yyyy" | left | window text | white | k k k k |  |  |
| 2 | I4 | 579 "Cut Off Date" | date | "dd-MMM-yyyy" | left | white | black | k k k k |  |  |
| 3 | I5 | 579 "Cut Off Date" | date | "dd-MMM-yyyy" | left | white | black | k k k k |  |  |
| 4 | J4 | 580 "Chart Value" | integer | "%d" | left | black | silver | k k k k |  |  |
| 5 | J5 | 580 "Chart Value" | integer | "%d" | left | black | silver | k k k k |  |  |
| 6 | B3 | 581 "Project Title" | text | "%s" | left | window text | white | k k s k |  | G3 |
| 7 | B4 | 582 "Project Number" | text | "%s" | left | window text | white | s k s k |  | G4 |
| 8 | B5 | 583 "Project Client" | text | "%s" | left | window text | white | s k k k |  | G5 |
)tbl";

const char* const kCDPicture = R"tbl(
| 1 | H1 | <H1 | <H1 | <H1 | <H1 | <H1 | <H1 | <H1 | H3 | F1 |
| 2 | H2 | <H2 | <H2 | <H2 | <H2 | <H2 | <H2 | <H2 | <H2 | <H2 |
| 3 | H6 | F6 | <F6 | <F6 | <F6 | <F6 | <F6 | . | H4 | H5 |
| 4 | H7 | F7 | <F7 | <F7 | <F7 | <F7 | <F7 | . | F2 | F4 |
| 5 | H8 | F8 | <F8 | <F8 | <F8 | <F8 | <F8 | . | F3 | F5 |
)tbl";

QStringList TableRows(const char* table)
{
    QStringList rows;
    for (const QString& line : QString::fromUtf8(table).split(u'\n')) {
        if (!line.trimmed().startsWith(u'|'))
            continue;
        QString l = line.trimmed();
        l = l.mid(1, l.size() - 2); // outer bars
        rows << l;
    }
    return rows;
}

QStringList Columns(const QString& row)
{
    QStringList cols = row.split(u'|');
    for (QString& c : cols)
        c = c.trimmed();
    return cols;
}

// "G27" -> (7, 27); columns A..Z only, which is all the layouts use.
QPoint ParseRef(const QString& ref)
{
    static const QRegularExpression re(QStringLiteral("^([A-Z])([0-9]+)$"));
    const auto m = re.match(ref);
    if (!m.hasMatch())
        return QPoint(-1, -1);
    return QPoint(m.captured(1).at(0).unicode() - 'A' + 1, m.captured(2).toInt());
}

TColor ColourByName(const QString& name)
{
    static const QHash<QString, TColor> colours = {
        {"black", 0x000000},
        {"white", 0xFFFFFF},
        {"title green", 0x669933},
        {"yellow", 0x00FFFF},
        {"silver", 0xC0C0C0},
        {"grey", 0x969696},
        {"Baseline blue", 0xFF6633},
        {"Actual green", 0x00FF00},
        {"Target red", 0x0000FF},
        {"light blue", 0xFFCC99},
        {"light green", 0xCCFFCC},
        {"light orange", 0x99CCFF},
        {"button face", clBtnFace},
        {"window text", clWindowText},
        {"k", 0x000000},
        {"s", 0xC0C0C0},
    };
    if (!colours.contains(name))
        qFatal("unknown colour name %s", qPrintable(name));
    return colours.value(name);
}

THorAlign AlignByName(const QString& name)
{
    if (name == "left")
        return THorAlign::haLeft;
    if (name == "right")
        return THorAlign::haRight;
    return THorAlign::haCenter;
}

quint8 TypeByName(const QString& name)
{
    static const QHash<QString, quint8> types = {{"text", 0}, {"integer", 1}, {"number", 2}, {"date", 3}};
    return types.value(name, 255);
}

// The text ids of a text column with the wording given for each ("410
// "Project Summary"", "505 (empty text)", two ids joined "and").
QList<QPair<int, QString>> TextIds(const QString& text)
{
    QList<QPair<int, QString>> ids;
    static const QRegularExpression re(QStringLiteral("(\\d+) (?:\"([^\"]*)\"|\\(empty text\\))"));
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        ids.append({m.captured(1).toInt(), m.captured(2)});
    }
    return ids;
}

struct Lists {
    TzyRHs psH, cdH;
    TzyRFs psF, cdF;
    Lists()
    {
        RF_PS_Consts::LoadRHs(psH);
        RF_PS_Consts::LoadRFs(psF);
        RF_CD_Consts::LoadRHs(cdH);
        RF_CD_Consts::LoadRFs(cdF);
    }
};

} // namespace

class TstReportLayout : public QObject {
    Q_OBJECT

    QStringList m_indexErrors;
    std::unique_ptr<Lists> m_lists;

    void CheckLayout(const TzyRptCell& cell, const QString& ref, const QString& align, bool bold, const QString& font,
        const QString& fill, const QString& lines, const QString& shortening, const QString& mergedTo)
    {
        QCOMPARE(cell.CellRef(), ref);
        const QPoint at = ParseRef(ref);
        QCOMPARE(cell.Col(), at.x());
        QCOMPARE(cell.Row(), at.y());
        QCOMPARE(cell.HorAlign(), AlignByName(align));
        QCOMPARE(cell.FontBold(), bold);
        QCOMPARE(cell.FontColor(), ColourByName(font));
        QCOMPARE(cell.CellColor(), ColourByName(fill));
        const QStringList l = lines.split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(l.size(), 4);
        QCOMPARE(cell.GridLineTopColor(), ColourByName(l[0]));
        QCOMPARE(cell.GridLineLeftColor(), ColourByName(l[1]));
        QCOMPARE(cell.GridLineBottomColor(), ColourByName(l[2]));
        QCOMPARE(cell.GridLineRightColor(), ColourByName(l[3]));
        QCOMPARE(cell.EllipsifyPath(), shortening == "path");
        QCOMPARE(cell.EllipsifyText(), shortening == "text");
        QCOMPARE(cell.Merge(), !mergedTo.isEmpty());
        if (mergedTo.isEmpty()) {
            QCOMPARE(cell.MergeToCol(), -1);
            QCOMPARE(cell.MergeToRow(), -1);
        } else {
            const QPoint to = ParseRef(mergedTo);
            QCOMPARE(cell.MergeToCol(), to.x());
            QCOMPARE(cell.MergeToRow(), to.y());
        }
    }

    // Every position of the picture is covered by exactly the cell it names
    // (directly or inside that cell's merged range); "." by none.
    void CheckPicture(const char* picture, const TzyRHs& rhs, const TzyRFs& rfs, int cols)
    {
        struct Span {
            QString name;
            const TzyRptCell* cell;
        };
        QList<Span> spans;
        for (int i = 1; i <= rhs.Count(); ++i)
            spans.append({QStringLiteral("H%1").arg(i), &rhs.getItems(i)});
        for (int i = 1; i <= rfs.Count(); ++i)
            spans.append({QStringLiteral("F%1").arg(i), &rfs.getItems(i)});

        int positions = 0;
        for (const QString& row : TableRows(picture)) {
            const QStringList c = Columns(row);
            QCOMPARE(c.size(), cols + 1);
            const int r = c[0].toInt();
            for (int col = 1; col <= cols; ++col) {
                ++positions;
                QString label = c[col];
                const bool inside = label.startsWith(u'<');
                if (inside)
                    label.remove(0, 1);
                QStringList covering;
                const Span* own = nullptr;
                for (const Span& s : spans) {
                    const TzyRptCell& cell = *s.cell;
                    const int lastCol = cell.Merge() ? cell.MergeToCol() : cell.Col();
                    const int lastRow = cell.Merge() ? cell.MergeToRow() : cell.Row();
                    if (col >= cell.Col() && col <= lastCol && r >= cell.Row() && r <= lastRow) {
                        covering << s.name;
                        own = &s;
                    }
                }
                const QString where = QStringLiteral("%1%2").arg(QChar(u'A' + col - 1)).arg(r);
                if (label == ".") {
                    QVERIFY2(covering.isEmpty(), qPrintable(where + " " + covering.join(",")));
                    continue;
                }
                QVERIFY2(covering == QStringList{label}, qPrintable(where + " " + covering.join(",")));
                if (!inside) {
                    QCOMPARE(own->cell->Col(), col);
                    QCOMPARE(own->cell->Row(), r);
                }
            }
        }
        QCOMPARE(positions, TableRows(picture).size() * cols);
    }

private slots:
    void initTestCase()
    {
        InitUILs();
        Utils::SetIndexReporter([this](const QString& text) { m_indexErrors << text; });
        platform::setNumberSettings(platform::NumberSettings{});
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        m_lists = std::make_unique<Lists>();
    }
    void init() { m_indexErrors.clear(); }

    void counts()
    {
        QCOMPARE(m_lists->psH.Count(), 64);
        QCOMPARE(m_lists->psF.Count(), 92);
        QCOMPARE(m_lists->cdH.Count(), 8);
        QCOMPARE(m_lists->cdF.Count(), 8);
        QCOMPARE(TableRows(kPSHeaders).size(), 64);
        QCOMPARE(TableRows(kPSFields).size(), 92);
    }

    void headerCell_data()
    {
        QTest::addColumn<bool>("chartData");
        QTest::addColumn<QString>("row");
        for (const QString& r : TableRows(kPSHeaders))
            QTest::newRow(qPrintable("PS H" + Columns(r)[0])) << false << r;
        for (const QString& r : TableRows(kCDHeaders))
            QTest::newRow(qPrintable("CD H" + Columns(r)[0])) << true << r;
    }
    void headerCell()
    {
        QFETCH(bool, chartData);
        QFETCH(QString, row);
        const QStringList c = Columns(row);
        QCOMPARE(c.size(), 9);
        const TzyRHs& list = chartData ? m_lists->cdH : m_lists->psH;
        const TzyRH& h = list.getItems(c[0].toInt());
        if (c[2].startsWith("the product title")) {
            QCOMPARE(h.Text(), QStringLiteral("Tarvo ZOL Lumo: Curvewright"));
        } else {
            QStringList parts;
            for (const auto& [id, wording] : TextIds(c[2])) {
                QCOMPARE(UIT(id), wording);
                parts << wording;
            }
            QVERIFY(!parts.isEmpty());
            QCOMPARE(h.Text(), parts.join("\r\n"));
        }
        CheckLayout(h, c[1], c[3], c[4] == "yes", c[5], c[6], c[7], QString(), c[8]);
        QVERIFY(m_indexErrors.isEmpty());
    }

    void fieldCell_data()
    {
        QTest::addColumn<bool>("chartData");
        QTest::addColumn<QString>("row");
        for (const QString& r : TableRows(kPSFields))
            QTest::newRow(qPrintable("PS F" + Columns(r)[0])) << false << r;
        for (const QString& r : TableRows(kCDFields))
            QTest::newRow(qPrintable("CD F" + Columns(r)[0])) << true << r;
    }
    void fieldCell()
    {
        QFETCH(bool, chartData);
        QFETCH(QString, row);
        const QStringList c = Columns(row);
        QCOMPARE(c.size(), 11);
        const TzyRFs& list = chartData ? m_lists->cdF : m_lists->psF;
        const TzyRF& f = list.getItems(c[0].toInt());
        const auto ids = TextIds(c[2]);
        QCOMPARE(ids.size(), 1);
        QCOMPARE(UIT(ids[0].first), ids[0].second);
        QCOMPARE(f.Name(), ids[0].second);
        QCOMPARE(f.DataType(), TypeByName(c[3]));
        QCOMPARE(f.Format(), QString(c[4]).remove(u'"'));
        QCOMPARE(f.ValueState(), quint8(0));
        CheckLayout(f, c[1], c[5], false, c[6], c[7], c[8], c[9], c[10]);
        QVERIFY(m_indexErrors.isEmpty());
    }

    void projectSummaryCoversA1toG27() { CheckPicture(kPSPicture, m_lists->psH, m_lists->psF, 7); }
    void chartDataHeadCoversA1toJ5() { CheckPicture(kCDPicture, m_lists->cdH, m_lists->cdF, 10); }

    void itemZeroIsOutsideTheLayout()
    {
        const TzyRH& h = m_lists->psH.getItems(0);
        QVERIFY(h.CellRef().isEmpty());
        QCOMPARE(h.Col(), 0);
        const TzyRF& f = m_lists->psF.getItems(0);
        QVERIFY(f.CellRef().isEmpty());
        QCOMPARE(f.Row(), 0);
        QVERIFY(m_indexErrors.isEmpty());
    }

    void badIndexReportsAndGivesItemZero_data()
    {
        QTest::addColumn<int>("headerIndex");
        QTest::addColumn<int>("fieldIndex");
        QTest::newRow("count + 1") << 65 << 93;
        QTest::newRow("negative") << -1 << -1;
    }
    void badIndexReportsAndGivesItemZero()
    {
        QFETCH(int, headerIndex);
        QFETCH(int, fieldIndex);
        const TzyRH& h = m_lists->psH.getItems(headerIndex);
        QCOMPARE(&h, &m_lists->psH.getItems(0));
        QCOMPARE(m_indexErrors.size(), 1);
        QVERIFY(m_indexErrors[0].contains("RHs.getItems"));
        const TzyRF& f = m_lists->psF.getItems(fieldIndex);
        QCOMPARE(&f, &m_lists->psF.getItems(0));
        QCOMPARE(m_indexErrors.size(), 2);
        QVERIFY(m_indexErrors[1].contains("RFs.getItems"));
    }

    void newCellDefaults()
    {
        const TzyRH h;
        QCOMPARE(h.HorAlign(), THorAlign::haCenter);
        QCOMPARE(h.FontColor(), clWindowText);
        QCOMPARE(h.CellColor(), clWindow);
        QCOMPARE(h.GridLineTopColor(), clWindowText);
        QCOMPARE(h.GridLineRightColor(), clWindowText);
        QCOMPARE(h.MergeToCol(), -1);
        QCOMPARE(h.MergeToRow(), -1);
        QVERIFY(!h.Merge() && !h.FontBold() && !h.EllipsifyPath() && !h.EllipsifyText());
        const TzyRF f;
        QCOMPARE(f.HorAlign(), THorAlign::haCenter);
        QCOMPARE(f.DateValue(), Today());
        QCOMPARE(f.DataType(), quint8(0));
        QVERIFY(IsSystemColor(f.CellColor()));
        QVERIFY(!IsSystemColor(clWhite));
    }

    // EllipsifyText comes before EllipsifyPath among Add's arguments.
    void addStoresEllipsisFlagsInItsOwnOrder()
    {
        TzyRHs list;
        const int i = list.Add("x", "B2", 2, 2, THorAlign::haRight, true, clBlack, clWhite, clBlack, clBlack,
            clBlack, clBlack, true, false, false, -1, -1);
        QCOMPARE(i, 1);
        QVERIFY(list.getItems(1).EllipsifyText());
        QVERIFY(!list.getItems(1).EllipsifyPath());
        TzyRFs fields;
        fields.Add("y", dtText, "%s", "C3", 3, 3, THorAlign::haLeft, false, clBlack, clWhite, clBlack, clBlack,
            clBlack, clBlack, false, true, true, 5, 3);
        QVERIFY(fields.getItems(1).EllipsifyPath());
        QVERIFY(!fields.getItems(1).EllipsifyText());
        QCOMPARE(fields.getItems(1).MergeToCol(), 5);
    }

    void valueText_data()
    {
        QTest::addColumn<int>("dataType");
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number %n") << 2 << "%n" << 0 << "1,234.50";
        QTest::newRow("integer %d") << 1 << "%d" << 0 << "-3";
        QTest::newRow("text %s") << 0 << "%s" << 0 << "50% done";
        QTest::newRow("date") << 3 << "dd-MMM-yyyy" << 0 << "05-Mar-2014";
        QTest::newRow("no data keeps value text") << 2 << "%n" << 1 << "1,234.50";
        QTest::newRow("n/a keeps value text") << 1 << "%d" << 2 << "-3";
        QTest::newRow("unknown type") << 7 << "%s" << 0 << "";
    }
    void valueText()
    {
        QFETCH(int, dataType);
        QFETCH(QString, format);
        QFETCH(int, state);
        QFETCH(QString, expected);
        TzyRF f;
        f.SetDataType(quint8(dataType));
        f.SetFormat(format);
        f.SetFloatValue(1234.5);
        f.SetIntValue(-3);
        f.SetStrValue("50% done");
        f.SetDateValue(DayNumber(QDate(2014, 3, 5)));
        f.SetValueState(quint8(state));
        QCOMPARE(f.GetValueText(), expected);
    }

    void resetValuesKeepsTypeFormatAndLayout()
    {
        TzyRFs list;
        RF_PS_Consts::LoadRFs(list);
        TzyRF& f = list.getItems(44); // B17, man hours total
        f.SetFloatValue(12.5);
        f.SetValueState(vsNoData);
        list.getItems(3).SetStrValue("Title");
        list.ResetValues();
        QCOMPARE(f.FloatValue(), 0.0);
        QCOMPARE(f.ValueState(), quint8(vsValue));
        QCOMPARE(f.DateValue(), Today());
        QVERIFY(list.getItems(3).StrValue().isEmpty());
        QCOMPARE(f.DataType(), quint8(dtNumber));
        QCOMPARE(f.Format(), QStringLiteral("%n"));
        QCOMPARE(f.CellRef(), QStringLiteral("B17"));
        QCOMPARE(f.CellColor(), clLightBlue);
    }
};

QTEST_GUILESS_MAIN(TstReportLayout)
#include "tst_report_layout.moc"
